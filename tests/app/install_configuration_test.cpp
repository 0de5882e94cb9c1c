// Install.xml as distributions lay it out: Setup.exe reads it at startup and logs what it took.
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

std::string Xml(const char* root_attributes, const char* settings) {
    return std::string("<?xml version=\"1.0\"?>\r\n<") + root_attributes + ">\r\n" + settings + "\r\n</" +
           std::string(root_attributes).substr(0, std::string(root_attributes).find(' ')) + ">\r\n";
}

const std::string kDowngradeOff =
    Xml("TLIC version=\"1.0\"", "<Settings><AllowDowngrade>0</AllowDowngrade></Settings>");
const std::string kDowngradeOn = Xml("TLIC version=\"1.0\"", "<Settings><AllowDowngrade>1</AllowDowngrade></Settings>");

std::string Downgrade(const char* version, const char* value) {
    return Xml((std::string("TLIC version=\"") + version + "\"").c_str(),
               (std::string("<Settings><AllowDowngrade>") + value + "</AllowDowngrade></Settings>").c_str());
}

const std::string kVersion09 = Downgrade("0.9", "0");
const std::string kVersion1 = Downgrade("1", "0");
const std::string kVersion15 = Downgrade("1.5", "0");
const std::string kNoVersion = Xml("TLIC", "<Settings><AllowDowngrade>0</AllowDowngrade></Settings>");
const std::string kWrongRoot = Xml("QVPF version=\"1.0\"", "<Settings><AllowDowngrade>0</AllowDowngrade></Settings>");
const std::string kYes = Downgrade("1.0", "yes");
const std::string kEmpty = Downgrade("1.0", "");
const std::string kTwo = Downgrade("1.0", "2");
const std::string kNegative = Downgrade("1.0", "  -3");
const std::string kBeyond32Bits = Downgrade("1.0", "99999999999");
const std::string kNoSettings = Xml("TLIC version=\"1.0\"", "<AllowDowngrade>0</AllowDowngrade>");
const std::string kRelativeSupport =
    Xml("TLIC version=\"1.0\"", "<Settings><SupportFiles>Extras</SupportFiles></Settings>");
const std::string kMissingSupport =
    Xml("TLIC version=\"1.0\"", "<Settings><SupportFiles>Nowhere</SupportFiles></Settings>");
const std::string kAbsoluteMedia =
    Xml("TLIC version=\"1.0\"", "<Settings><BundledMedia>{root}Media</BundledMedia></Settings>");
const std::string kMissingMedia =
    Xml("TLIC version=\"1.0\"", "<Settings><BundledMedia>{root}NoMedia</BundledMedia></Settings>");
const std::string kNotXml = "TLIC version=1.0 AllowDowngrade=0";

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
    {"ParentFileWhenNoneBeside",
     u"media\\dist\\",
     {{u"media\\Install.xml", kDowngradeOff.c_str()}},
     {},
     {u"file \"{setup}..\\Install.xml\" read", u"allow downgrade 0"}},
    {"RelativeSupportFolderResolvesAgainstTheFilesFolder",
     u"media\\dist\\",
     {{u"media\\Install.xml", kRelativeSupport.c_str()}},
     {u"media\\Extras"},
     {u"support folders \"{setup}Support\\|{root}media\\Extras\\\""}},
    {"MissingSupportFolderIsDropped",
     u"dist\\",
     {{u"dist\\Install.xml", kMissingSupport.c_str()}},
     {},
     {u"support folders \"{setup}Support\\\";"}},
    {"AbsoluteBundledMediaFolder",
     u"dist\\",
     {{u"dist\\Install.xml", kAbsoluteMedia.c_str()}},
     {u"Media"},
     {u"bundled media \"{root}Media\\\""}},
    {"MissingBundledMediaFolderIsDropped",
     u"dist\\",
     {{u"dist\\Install.xml", kMissingMedia.c_str()}},
     {},
     {u"bundled media \"\""}},
    {"VersionBelowOneIsIgnored",
     u"dist\\",
     {{u"dist\\Install.xml", kVersion09.c_str()}},
     {},
     {u"not used", u"allow downgrade 1"}},
    {"VersionOneIsRead", u"dist\\", {{u"dist\\Install.xml", kVersion1.c_str()}}, {}, {u"allow downgrade 0"}},
    {"VersionOnePointFiveIsRead", u"dist\\", {{u"dist\\Install.xml", kVersion15.c_str()}}, {}, {u"allow downgrade 0"}},
    {"MissingVersionIsIgnored", u"dist\\", {{u"dist\\Install.xml", kNoVersion.c_str()}}, {}, {u"allow downgrade 1"}},
    {"OtherRootIsIgnored", u"dist\\", {{u"dist\\Install.xml", kWrongRoot.c_str()}}, {}, {u"allow downgrade 1"}},
    {"NoSettingsElementReadsNothing",
     u"dist\\",
     {{u"dist\\Install.xml", kNoSettings.c_str()}},
     {},
     {u"allow downgrade 1"}},
    {"NotXmlIsIgnored", u"dist\\", {{u"dist\\Install.xml", kNotXml.c_str()}}, {}, {u"allow downgrade 1"}},
    {"WordReadsAsZero", u"dist\\", {{u"dist\\Install.xml", kYes.c_str()}}, {}, {u"allow downgrade 0"}},
    {"EmptyKeepsDowngradesAllowed", u"dist\\", {{u"dist\\Install.xml", kEmpty.c_str()}}, {}, {u"allow downgrade 1"}},
    {"AnyOtherNumberAllows", u"dist\\", {{u"dist\\Install.xml", kTwo.c_str()}}, {}, {u"allow downgrade 1"}},
    {"NegativeNumberAllows", u"dist\\", {{u"dist\\Install.xml", kNegative.c_str()}}, {}, {u"allow downgrade 1"}},
    {"NumberBeyond32BitsSaturatesAndAllows",
     u"dist\\",
     {{u"dist\\Install.xml", kBeyond32Bits.c_str()}},
     {},
     {u"allow downgrade 1"}},
};

TLString Expand(std::u16string_view text, const TLString& root, const TLString& setup) {
    TLString result(text);
    result.Replace(u"{root}", root);
    result.Replace(u"{setup}", setup);
    return result;
}

class InstallConfiguration : public ::testing::TestWithParam<ConfigurationCase> {};

TEST_P(InstallConfiguration, IsReadAsTheDistributionLaysItOut) {
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

INSTANTIATE_TEST_SUITE_P(Distributions, InstallConfiguration, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
