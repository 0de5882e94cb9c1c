// One registration round with the product's real tools library and its sample association file,
// written under keys of the test's own: what ending the round writes, and a missing or broken
// association file reported without stopping the rest.
#include "shell/shell_registration.h"

#include <gtest/gtest.h>

#include "core/windows/registry.h"
#include "shell/associations/file_association_database.h"
#include "tests/support/product_tools.h"
#include "tests/support/recording_prompts.h"
#include "tests/support/win_test_support.h"

namespace {

constexpr char16_t kTestKey[] = u"Software\\TLTest\\ShellScope";
constexpr char16_t kAssociations[] = u"Data\\Default Resources\\FileAssociations.xml";

class ShellScope : public ::testing::Test {
protected:
    ShellScope() {
        for (auto [root, name] : {std::pair{&roots_.classes_root, u"Classes"}, {&roots_.current_user, u"User"},
                                  {&roots_.local_machine, u"Machine"}})
            RegCreateKeyExW(HKEY_CURRENT_USER, (TLString(kTestKey) + u"\\" + name).wc(), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, root, nullptr);
    }
    ~ShellScope() override {
        for (HKEY key : {roots_.classes_root, roots_.current_user, roots_.local_machine}) RegCloseKey(key);
    }
    TLString String(HKEY root, std::u16string_view key, std::u16string_view name) const {
        TLString value = u"<none>";
        tlwin::RegistryKey::Open(root, TLString(key)).ReadString(TLString(name), &value);
        return value;
    }
    void InstallAssociations(std::string_view text) {
        ASSERT_TRUE(tools_.scratch().WriteFile(TLString(u"Installed\\") + kAssociations, text));
    }

    tltest::RegistryCleanup cleanup_{HKEY_CURRENT_USER, kTestKey};
    tltest::ProductTools tools_;
    tltest::RecordingPrompts prompts_;
    shell::RegistryRoots roots_;
};

constexpr char16_t kClient[] = u"Software\\Clients\\Media\\Tonehall Media Player\\Capabilities\\FileAssociations";

TEST_F(ShellScope, EndingTheRoundWritesTheTableTheChosenTypesAndTheMediaClient) {
    ASSERT_TRUE(tools_.loaded());
    InstallAssociations(tltest::ReadFileBytes(tltest::BuildPath(u"distribution/Tunevault/") + kAssociations));
    ASSERT_TRUE(tools_.scratch().WriteFile(u"Installed\\Data\\Custom Resources\\fileimage.ico", "icon"));
    {
        shell::CShellRegistration registration(tools_.InstallFolder(), prompts_, roots_);
        EXPECT_EQ(registration.placeholders().product_with_version, u"Tonehall.27");
        registration.SetApply(true);
        registration.SetNotify(true);
        registration.SetFileTypes({u"mp3", u"mpl"});
    }
    EXPECT_TRUE(prompts_.asked.empty());
    EXPECT_EQ(String(roots_.classes_root, u"Tonehall.27.File\\DefaultIcon", u""),
              u"\"" + tools_.InstallFolder() + u"Data\\Custom Resources\\fileimage.ico\"");
    EXPECT_EQ(String(roots_.classes_root, u".mp3", u""), u"Tonehall.27.File");
    EXPECT_EQ(String(roots_.classes_root, u".mpl", u""), u"Tonehall.27.Playlist");
    EXPECT_EQ(String(roots_.classes_root, u".ogg", u""), u"<none>");
    EXPECT_EQ(String(roots_.classes_root, u"Mime\\Database\\Content Type\\audio/mpeg", u"Extension"), u".mp3");
    EXPECT_EQ(String(roots_.classes_root, u"tonehall-stream\\shell\\open\\command", u""),
              u"\"" + tools_.InstallFolder() + u"Tonehall Launcher.exe\" /Protocol \"%L\"");
    EXPECT_EQ(String(roots_.local_machine, kClient, u".ogg"), u"Tonehall.27.File");
    EXPECT_EQ(String(roots_.local_machine, kClient, u".xml"), u"Tonehall.27.Subscribe");
}

TEST_F(ShellScope, AMissingOrBrokenAssociationFileIsReportedAndTheRestStillWritten) {
    ASSERT_TRUE(tools_.loaded());
    const std::string_view broken[] = {"", "<QVFB version=\"1.0\"/>", "<QVFA version=\"0.5\"/>"};
    for (const std::string_view text : broken) {
        prompts_.asked.clear();
        if (text.empty())
            DeleteFileW((tools_.InstallFolder() + kAssociations).wc());
        else
            InstallAssociations(text);
        // The database is the process's: the round before left it loaded.
        shell::FileAssociationDatabase::Get().LoadFile(tools_.InstallFolder() + kAssociations);
        shell::CShellRegistration registration(tools_.InstallFolder(), prompts_, roots_);
        registration.SetApply(true);
        registration.SetFileTypes({u"mp3"});
        registration.End();
        ASSERT_EQ(prompts_.asked.size(), 1u) << text;
        EXPECT_EQ(prompts_.asked[0].title, u"Information");
        EXPECT_NE(prompts_.asked[0].text.Find(u"Failed to load file associations file."), TLString::npos);
        EXPECT_NE(prompts_.asked[0].text.Find(u"Path: "), TLString::npos);
        EXPECT_NE(prompts_.asked[0].text.Find(u"FileAssociations.xml\r\nVersion: 27.0.0.1"), TLString::npos)
            << prompts_.asked[0].text;
        EXPECT_EQ(String(roots_.classes_root, u"Tonehall.27.Pack", u""), u"Tonehall.27.Pack");
        EXPECT_EQ(String(roots_.classes_root, u"tonehall", u""), u"URL:tonehall Protocol");
        EXPECT_EQ(String(roots_.classes_root, u".mp3", u""), u"<none>");
        EXPECT_EQ(String(roots_.local_machine, kClient, u".mp3"), u"<none>");
    }
}

}  // namespace
