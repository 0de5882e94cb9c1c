// Setup.exe reads the Install.xml of the distribution it lies in at startup and logs what it took.
// The rules themselves are tested in process (install_xml_test.cpp, install_configuration_test.cpp);
// these runs show that startup hands them its own folder and session.
#include <gtest/gtest.h>

#include <vector>

#include "tests/app/distribution_fixture.h"
#include "tests/support/win_test_support.h"
#include "tests/support/wizard_driver.h"

namespace {

struct ConfigurationCase {
    const char* name;
    // Where the distribution (Setup.exe) lies below the scratch folder.
    const char16_t* setup_folder;
    // Files written below the scratch folder; "{root}" in the content stands for the scratch folder.
    std::vector<std::pair<const char16_t*, const char*>> files;
    std::vector<const char16_t*> folders;
    // Parts of the logged configuration line; "{root}" and "{setup}" stand for the two folders.
    std::vector<const char16_t*> expected;
};

std::string Xml(const char* settings) {
    return std::string("<?xml version=\"1.0\"?>\r\n<TLIC version=\"1.0\">\r\n") + settings + "\r\n</TLIC>\r\n";
}

const std::string kDowngradeOff = Xml("<Settings><AllowDowngrade>0</AllowDowngrade></Settings>");
const std::string kDowngradeOn = Xml("<Settings><AllowDowngrade>1</AllowDowngrade></Settings>");
const std::string kRelativeSupport = Xml("<Settings><SupportFiles>Extras</SupportFiles></Settings>");

const ConfigurationCase kCases[] = {
    {"NoFileKeepsTheDefaults",
     u"dist\\",
     {},
     {},
     {u"file \"{setup}..\\Install.xml\" not used", u"support folders \"{setup}Support\\\"", u"allow downgrade 1",
      u"bundled media \"\"", u"library \"{setup}Library\\\""}},
    {"FileBesideWinsOverParent",
     u"media\\dist\\",
     {{u"media\\dist\\Install.xml", kDowngradeOff.c_str()}, {u"media\\Install.xml", kDowngradeOn.c_str()}},
     {},
     {u"file \"{setup}Install.xml\" read", u"allow downgrade 0"}},
    {"RelativeSupportFolderResolvesAgainstTheFilesFolder",
     u"media\\dist\\",
     {{u"media\\Install.xml", kRelativeSupport.c_str()}},
     {u"media\\Extras"},
     {u"support folders \"{setup}Support\\|{root}media\\Extras\\\""}},
};

TLString Expand(std::u16string_view text, const TLString& root, const TLString& setup) {
    TLString result(text);
    result.Replace(u"{root}", root);
    result.Replace(u"{setup}", setup);
    return result;
}

class InstallConfigurationLaunch : public ::testing::TestWithParam<ConfigurationCase> {};

TEST_P(InstallConfigurationLaunch, IsReadAsTheDistributionLaysItOut) {
    const ConfigurationCase& c = GetParam();
    tltest::Distribution distribution(c.setup_folder);
    ASSERT_TRUE(DeleteFileW(distribution.Path(u"Install.xml").wc()));
    const TLString root = distribution.scratch().path();
    for (const auto& [file, content] : c.files)
        ASSERT_TRUE(distribution.scratch().WriteFile(
            file, Expand(TLString::FromUtf8(content).view(), root, distribution.path()).ToUtf8()));
    for (const char16_t* folder : c.folders) ASSERT_TRUE(tltest::MakeFolders(root + folder));

    tltest::StartedProgram setup(distribution.SetupExe(), u"");
    EXPECT_EQ(tltest::CloseWizardAndWait(setup).exit_code, 0u);
    TLString line;
    const TLStringArray lines = tltest::LogLinesOf(setup);
    for (size_t i = 0; i < lines.GetCount(); ++i)
        if (lines[i].Find(u"Install configuration:") != TLString::npos) line = lines[i];
    ASSERT_FALSE(line.empty());
    for (const char16_t* part : c.expected) {
        const TLString expected = Expand(part, root, distribution.path());
        EXPECT_NE(line.FindNoCase(expected), TLString::npos) << "expected " << expected << "\nin " << line;
    }
}

INSTANTIATE_TEST_SUITE_P(Distributions, InstallConfigurationLaunch, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
