// Setup.exe on the sample distribution, and the product's registration with the shell that
// results: the template table value by value, the default file types associated by the installed
// package installer (another program's ProgID kept in the backup across two installs), the media
// client's capabilities and the shortcuts read back through the shell-link object.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>

#include "core/windows/registry.h"
#include "shell/templates/template_lines.h"
#include "shell/templates/template_table.h"
#include "tests/app/distribution_fixture.h"
#include "tests/shell/shell_link_reader.h"
#include "tests/support/win_test_support.h"

namespace {

constexpr const char16_t* kDestination = tltest::InstalledProductCleanup::kDestination;
constexpr char16_t kProperties[] = u"Software\\C. Orvane\\Tonehall 27\\Properties";
constexpr char16_t kClient[] = u"Software\\Clients\\Media\\Tonehall Media Player\\Capabilities\\FileAssociations";

HKEY RootKey(shell::RegistryRoot root) {
    switch (root) {
        case shell::RegistryRoot::kCurrentUser:
            return HKEY_CURRENT_USER;
        case shell::RegistryRoot::kLocalMachine:
            return HKEY_LOCAL_MACHINE;
        case shell::RegistryRoot::kClassesRoot:
            break;
    }
    return HKEY_CLASSES_ROOT;
}

TLString String(HKEY root, std::u16string_view key, std::u16string_view name) {
    TLString value = u"<none>";
    tlwin::RegistryKey::Open(root, TLString(key)).ReadString(TLString(name), &value);
    return value;
}

// Every value of the table as the installed product's folder expands it.
void ExpectTemplateTable() {
    shell::TemplatePlaceholders expected;
    expected.install_folder = kDestination;
    expected.product_name = u"Tonehall";
    expected.product_with_version = u"Tonehall.27";
    expected.exe_path = TLString(kDestination) + u"Tonehall.exe";
    expected.launcher_name = u"Tonehall Launcher.exe";
    expected.launcher_path = TLString(kDestination) + u"Tonehall Launcher.exe";
    const auto art = [](const TLString& name) { return TLString(kDestination) + u"Data\\Default Resources\\" + name; };
    const auto values = shell::PlanTemplateLines(shell::BuildTemplateTable(true), expected, art, false);
    for (const shell::TemplateValue& value : values) {
        const tlwin::RegistryKey key = tlwin::RegistryKey::Open(RootKey(value.root), value.key);
        if (value.is_dword) {
            DWORD number = 0;
            EXPECT_TRUE(key.ReadDword(value.name, &number) && number == value.number) << value.key << " " << value.name;
        } else {
            TLString text = u"<none>";
            key.ReadString(value.name, &text);
            EXPECT_EQ(text, value.text) << value.key << " " << value.name;
        }
    }
}

class ShellInstall : public ::testing::Test {
protected:
    ShellInstall() { CoInitialize(nullptr); }
    ~ShellInstall() override { CoUninitialize(); }

    tltest::InstalledProductCleanup installed_;
    tltest::RegistryCleanup other_program_{HKEY_CLASSES_ROOT, u".mp3"};
    tltest::RegistryCleanup dat_{HKEY_CLASSES_ROOT, u".dat"};
};

TEST_F(ShellInstall, SilentInstallRegistersTheProductWithTheShell) {
    tltest::WriteRegistryString(HKEY_CLASSES_ROOT, u".mp3", u"", u"Other.mp3");
    tltest::Distribution distribution;
    for (int run = 1; run <= 2; ++run) {
        tltest::StartedProgram setup(distribution.SetupExe(), u"/Silent /NoRun");
        ASSERT_TRUE(setup.Wait(240000).finished);
        EXPECT_TRUE(tltest::LogContains(setup, u"CShellRegistration::End: Finish")) << run;
        EXPECT_EQ(String(HKEY_CLASSES_ROOT, u".mp3", u"Default.BAK"), u"Other.mp3") << run;
    }
    ExpectTemplateTable();

    // The default types, chosen by the page as it passed over itself, associated by the product.
    TLString stored;
    ASSERT_TRUE(tltest::ReadRegistryString(HKEY_CURRENT_USER, kProperties, u"File Associations - Selected Media Types",
                                           &stored));
    EXPECT_EQ(stored, u"mp3;flac;ogg;opus;m4a;wav;mkv;mp4;mpl;m3u;pls");
    EXPECT_EQ(String(HKEY_CLASSES_ROOT, u".mp3", u""), u"Tonehall.27.File");
    EXPECT_EQ(String(HKEY_CLASSES_ROOT, u".mpl", u""), u"Tonehall.27.Playlist");
    EXPECT_EQ(String(HKEY_CLASSES_ROOT, u".dat", u""), u"<none>");
    EXPECT_EQ(String(HKEY_CLASSES_ROOT, u"Mime\\Database\\Content Type\\video/x-matroska", u"Extension"), u".mkv");
    EXPECT_EQ(String(HKEY_CLASSES_ROOT, u"tonehall\\shell\\open\\command", u""),
              u"\"" + TLString(kDestination) + u"Tonehall Launcher.exe\" /Protocol \"%L\"");
    EXPECT_EQ(String(HKEY_LOCAL_MACHINE, kClient, u".xml"), u"Tonehall.27.Subscribe");
    EXPECT_EQ(String(HKEY_LOCAL_MACHINE, u"Software\\RegisteredApplications", u"Tonehall Media Player"),
              u"Software\\Clients\\Media\\Tonehall Media Player\\Capabilities");

    // A new installation proposes every shortcut; Silent makes them.
    wchar_t programs[MAX_PATH] = {};
    wchar_t desktop[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, programs)));
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_COMMON_DESKTOPDIRECTORY, nullptr, 0, desktop)));
    const TLString main_program = TLString(kDestination) + u"Tonehall.exe";
    const TLString icon = TLString(kDestination) + u"Data\\Default Resources\\Application.ico";
    const TLString start_menu = TLString(reinterpret_cast<const char16_t*>(programs)) + u"\\Tonehall 27\\";
    const shell::ShortcutSpec expected[] = {
        {start_menu + u"Tonehall.lnk", main_program, u"", icon},
        {start_menu + u"Media Server.lnk", main_program, u"/MediaServer",
         TLString(kDestination) + u"Data\\Default Resources\\Server.ico"},
        {start_menu + u"Tonehall Package Installer.lnk", TLString(kDestination) + u"PackageInstaller.exe", u"", u""},
        {TLString(reinterpret_cast<const char16_t*>(desktop)) + u"\\Tonehall.lnk", main_program, u"", icon},
    };
    for (const shell::ShortcutSpec& shortcut : expected) {
        shell::ShortcutSpec read;
        ASSERT_TRUE(tltest::ReadShortcut(shortcut.link, &read)) << shortcut.link;
        EXPECT_TRUE(read.target.EqualsNoCase(shortcut.target)) << read.target;
        EXPECT_EQ(read.arguments, shortcut.arguments);
        EXPECT_TRUE(read.icon.EqualsNoCase(shortcut.icon)) << read.icon;
    }
    DeleteFileW(expected[3].link.wc());
    tltest::DeleteTree(start_menu);
}

}  // namespace
