// Setup.exe on the sample distribution, and the product's registration with the shell that
// results: the template table value by value, the default file types associated by the installed
// package installer (another program's ProgID kept in the backup across two installs), the media
// client's capabilities and the shortcuts read back through the shell-link object; the install record
// lists the association with what it replaced and what was written, and the shortcuts made after the
// install.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/windows/registry.h"
#include "engine/journal/journal.h"
#include "shell/templates/template_lines.h"
#include "shell/templates/template_table.h"
#include "tests/app/distribution_fixture.h"
#include "tests/shell/shell_link_reader.h"
#include "tests/support/product_keys.h"
#include "tests/support/win_test_support.h"

namespace {

constexpr const char16_t* kDestination = tltest::InstalledProductCleanup::kDestination;
using tltest::kPropertiesKey;
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

TLString Text(const journal::ValueState& state) {
    std::u16string text(state.data.size() / 2, u'\0');
    std::memcpy(text.data(), state.data.data(), text.size() * 2);
    return TLString(text.substr(0, text.find(u'\0')));
}

// Added by the package installer and the shortcuts page after the copy phase wrote the record.
void ExpectRecordedAfterTheInstall(const TLString& desktop_link) {
    const std::optional<std::vector<journal::Entry>> record =
        journal::ReadRecord(TLString(kDestination) + journal::kInstallRecordName);
    ASSERT_TRUE(record.has_value());
    bool association = false, shortcut = false;
    for (const journal::Entry& entry : *record) {
        if (entry.kind == journal::EntryKind::kRegistryValue && entry.path.EqualsNoCase(u"Software\\Classes\\.mp3") &&
            entry.name.empty()) {
            association = true;
            EXPECT_EQ(entry.root, u"HKLM");
            EXPECT_EQ(Text(entry.earlier), u"Other.mp3");
            ASSERT_TRUE(entry.written.has_value());
            EXPECT_EQ(Text(*entry.written), u"Tonehall.27.File");
        }
        shortcut |= entry.path.EqualsNoCase(desktop_link) &&
                    (entry.kind == journal::EntryKind::kCreatedFile || entry.kind == journal::EntryKind::kReplacedFile);
    }
    EXPECT_TRUE(association);
    EXPECT_TRUE(shortcut);
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
    wchar_t programs[MAX_PATH] = {};
    wchar_t desktop[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, programs)));
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_COMMON_DESKTOPDIRECTORY, nullptr, 0, desktop)));
    const TLString desktop_link = TLString(reinterpret_cast<const char16_t*>(desktop)) + u"\\Tonehall.lnk";
    tltest::Distribution distribution;
    for (int run = 1; run <= 2; ++run) {
        tltest::StartedProgram setup(distribution.SetupExe(), u"/Silent /NoRun");
        ASSERT_TRUE(setup.Wait(240000).finished);
        EXPECT_TRUE(tltest::LogContains(setup, u"CShellRegistration::End: Finish")) << run;
        EXPECT_EQ(String(HKEY_CLASSES_ROOT, u".mp3", u"Default.BAK"), u"Other.mp3") << run;
        if (run == 2) break;
        ExpectRecordedAfterTheInstall(desktop_link);
        // The second version of the product handles fewer types.
        const TLString associations = distribution.Path(u"Tunevault\\Data\\Default Resources\\FileAssociations.xml");
        std::string text = tltest::ReadFileBytes(associations);
        const size_t from = text.find("<DefaultFileTypes>"), to = text.find("</DefaultFileTypes>");
        ASSERT_NE(to, std::string::npos);
        text.replace(from, to - from, "<DefaultFileTypes>mp3;flac;xml");
        ASSERT_TRUE(
            distribution.scratch().WriteFile(associations.Mid(distribution.scratch().Path(u"").length()), text));
    }
    std::set<std::string> handled;
    for (const TLString& name : tlwin::RegistryKey::Open(HKEY_LOCAL_MACHINE, kClient).ValueNames())
        handled.insert(name.ToUtf8());
    EXPECT_EQ(handled, (std::set<std::string>{".flac", ".mp3", ".xml"}));
    ExpectTemplateTable();

    // The default types, chosen by the page as it passed over itself, associated by the product.
    TLString stored;
    ASSERT_TRUE(tltest::ReadRegistryString(HKEY_CURRENT_USER, kPropertiesKey, u"File Associations - Selected Media Types",
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
    const TLString main_program = TLString(kDestination) + u"Tonehall.exe";
    const TLString icon = TLString(kDestination) + u"Data\\Default Resources\\Application.ico";
    const TLString start_menu = TLString(reinterpret_cast<const char16_t*>(programs)) + u"\\Tonehall 27\\";
    const shell::ShortcutSpec expected[] = {
        {start_menu + u"Tonehall.lnk", main_program, u"", icon},
        {start_menu + u"Media Server.lnk", main_program, u"/MediaServer",
         TLString(kDestination) + u"Data\\Default Resources\\Server.ico"},
        {start_menu + u"Tonehall Package Installer.lnk", TLString(kDestination) + u"PackageInstaller.exe", u"", u""},
        {desktop_link, main_program, u"", icon},
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
