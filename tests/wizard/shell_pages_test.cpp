// The file associations and shortcuts pages driven through their real windows after a Custom
// install: the list's defaults, ticks stored and registered by the package installer, the
// remembered empty selection, and the shortcuts proposed and made.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>

#include "tests/app/distribution_fixture.h"
#include "tests/shell/shell_link_reader.h"
#include "tests/support/list_view_driver.h"
#include "tests/support/product_keys.h"
#include "tests/support/win_test_support.h"
#include "tests/support/wizard_driver.h"
#include "wizard/control_ids.h"
#include "wizard/rules/page_table.h"

namespace {

using tltest::WizardDriver;
using namespace wizard_ids;

constexpr const char16_t* kDestination = tltest::InstalledProductCleanup::kDestination;
using tltest::kPropertiesKey;
constexpr char16_t kInstaller[] = u"Software\\C. Orvane\\Tonehall 27\\Installer";
const int kSetupTypeIndex = wizard_rules::PageIndex(wizard_rules::Page::kSetupType, true);
const int kCustomTypeIndex = wizard_rules::PageIndex(wizard_rules::Page::kSetupTypeCustom, true);
const int kSelectPathIndex = wizard_rules::PageIndex(wizard_rules::Page::kSelectPath, true);
const int kAssociationsIndex = wizard_rules::PageIndex(wizard_rules::Page::kFileAssociation, true);
const int kShortcutsIndex = wizard_rules::PageIndex(wizard_rules::Page::kShortcuts, true);
const int kFinishIndex = wizard_rules::PageIndex(wizard_rules::Page::kFinish, true);

void Next(WizardDriver& wizard, int expected_index, DWORD timeout_ms = 60000) {
    ASSERT_TRUE(wizard.Click(kNextButtonId));
    ASSERT_TRUE(wizard.WaitForPage(expected_index, timeout_ms)) << "to page " << expected_index;
}

// Welcome, Custom, Normal, the default folder, the installation: up to the associations page.
// Callers wrap it in ASSERT_NO_FATAL_FAILURE.
void InstallUpToTheAssociationsPage(WizardDriver& wizard) {
    ASSERT_TRUE(wizard.WaitForWizard());
    Next(wizard, kSetupTypeIndex);
    ASSERT_TRUE(wizard.SelectRadio(kSetupTypeFirstRadio, 2, kSetupTypeFirstRadio + 1));
    Next(wizard, kCustomTypeIndex);
    ASSERT_TRUE(wizard.SelectRadio(kCustomTypeFirstRadio, 2, kCustomTypeFirstRadio));
    // Over an existing installation the folder page passes over itself.
    ASSERT_TRUE(wizard.Click(kNextButtonId));
    for (int waited = 0; waited < 600 && wizard.PageIndex() == kCustomTypeIndex; ++waited) Sleep(50);
    if (wizard.PageIndex() == kSelectPathIndex) {
        ASSERT_TRUE(wizard.Click(kNextButtonId));
    }
    ASSERT_TRUE(wizard.WaitForPage(kAssociationsIndex, 180000));
}

// The ticked types of the list, and the names of its group rows.
struct ListState {
    TLStringArray groups, ticked, shown;
};
ListState ReadList(const WizardDriver& wizard) {
    ListState state;
    for (const tltest::ListViewRow& row : tltest::ReadListView(wizard.Control(kAssociationList))) {
        if (!row.has_check_box) {
            state.groups.Add(row.text);
            continue;
        }
        state.shown.Add(row.text);
        if (row.checked) state.ticked.Add(row.text);
    }
    return state;
}

int RowOf(const WizardDriver& wizard, std::u16string_view text) {
    const auto rows = tltest::ReadListView(wizard.Control(kAssociationList));
    for (size_t index = 0; index < rows.size(); ++index)
        if (rows[index].text == text) return static_cast<int>(index);
    return -1;
}

TLString Stored(const char16_t* key, std::u16string_view name) {
    TLString value = u"<none>";
    tltest::ReadRegistryString(HKEY_CURRENT_USER, key, name, &value);
    return value;
}

TLString CommonFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, 0, path);
    return TLString(reinterpret_cast<const char16_t*>(path)) + u"\\";
}

// The texts joined with ";", for readable failure messages.
std::string Joined(const TLStringArray& texts) {
    std::string joined;
    for (const TLString& text : texts) joined += (joined.empty() ? "" : ";") + text.ToUtf8();
    return joined;
}

size_t Occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

class ShellPages : public ::testing::Test {
protected:
    ShellPages() {
        CoInitialize(nullptr);
        ForgetShortcuts();
    }
    ~ShellPages() override {
        ForgetShortcuts();
        CoUninitialize();
    }
    static void ForgetShortcuts() {
        DeleteFileW((CommonFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + u"Tonehall.lnk").wc());
        tltest::DeleteTree(CommonFolder(CSIDL_COMMON_PROGRAMS) + u"Tonehall 27\\");
    }

    tltest::InstalledProductCleanup installed_;
    tltest::RegistryCleanup aac_{HKEY_CLASSES_ROOT, u".aac"};
    tltest::RegistryCleanup mp3_{HKEY_CLASSES_ROOT, u".mp3"};
};

TEST_F(ShellPages, FirstInstallTicksTheDefaultsAndLeavingStoresAndRegistersTheTicks) {
    tltest::Distribution distribution;
    WizardDriver wizard(distribution.SetupExe(), u"/NoRun");
    ASSERT_NO_FATAL_FAILURE(InstallUpToTheAssociationsPage(wizard));

    const ListState first = ReadList(wizard);
    // The sample product handles no data types: that group is left out.
    EXPECT_EQ(Joined(first.groups), "Audio;Image;Video;Playlists");
    EXPECT_EQ(Joined(first.ticked), "flac;m4a;mp3;ogg;opus;wav;mkv;mp4;m3u;mpl;pls");
    ASSERT_TRUE(tltest::SetListViewRowChecked(wizard.Control(kAssociationList), RowOf(wizard, u"mp3"), false));
    ASSERT_TRUE(tltest::SetListViewRowChecked(wizard.Control(kAssociationList), RowOf(wizard, u"aac"), true));
    Next(wizard, kShortcutsIndex);

    EXPECT_EQ(Stored(kPropertiesKey, u"File Associations - Selected Media Types"),
              u"aac;flac;m4a;ogg;opus;wav;mkv;mp4;m3u;mpl;pls");
    const std::string calls = tltest::ReadFileBytes(TLString(kDestination) + u"PackageInstaller.log");
    EXPECT_EQ(Occurrences(calls, "/RegFileAssociations"), 1u) << calls;
    TLString prog_id;
    EXPECT_TRUE(tltest::ReadRegistryString(HKEY_CLASSES_ROOT, u".aac", u"", &prog_id));
    EXPECT_EQ(prog_id, u"Tonehall.27.File");
    EXPECT_FALSE(tltest::ReadRegistryString(HKEY_CLASSES_ROOT, u".mp3", u"", &prog_id));

    // A new installation proposes the Start menu and the desktop; this Windows has no Quick Launch.
    EXPECT_TRUE(wizard.IsChecked(kStartMenuCheck));
    EXPECT_TRUE(wizard.IsChecked(kDesktopCheck));
    EXPECT_EQ(wizard.Control(kQuickLaunchCheck), nullptr);
    ASSERT_TRUE(wizard.SetChecked(kDesktopCheck, false));
    Next(wizard, kFinishIndex);
    DWORD create_start_menu = 0;
    EXPECT_TRUE(tltest::ReadRegistryDword(HKEY_CURRENT_USER, kInstaller, u"Create Start Menu", &create_start_menu));
    EXPECT_EQ(create_start_menu, 1u);
    shell::ShortcutSpec read;
    EXPECT_TRUE(tltest::ReadShortcut(CommonFolder(CSIDL_COMMON_PROGRAMS) + u"Tonehall 27\\Tonehall.lnk", &read));
    EXPECT_TRUE(read.target.EqualsNoCase(TLString(kDestination) + u"Tonehall.exe")) << read.target;
    EXPECT_FALSE(tltest::FileExists(CommonFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + u"Tonehall.lnk"));
    ASSERT_TRUE(wizard.Click(kNextButtonId));
    EXPECT_TRUE(wizard.WaitForExit().finished);
}

TEST_F(ShellPages, AnEmptySelectionIsRememberedAndTheSameVersionAgainProposesNoShortcut) {
    tltest::Distribution distribution;
    {
        WizardDriver wizard(distribution.SetupExe(), u"/NoRun");
        ASSERT_NO_FATAL_FAILURE(InstallUpToTheAssociationsPage(wizard));
        ASSERT_TRUE(wizard.Click(kUnselectAllButton));
        for (int waited = 0; waited < 100 && !ReadList(wizard).ticked.IsEmpty(); ++waited) Sleep(50);
        EXPECT_TRUE(ReadList(wizard).ticked.IsEmpty());
        Next(wizard, kShortcutsIndex);
        EXPECT_EQ(Stored(kPropertiesKey, u"File Associations - Selected Media Types"), u"");
        Next(wizard, kFinishIndex);
        ASSERT_TRUE(wizard.Click(kNextButtonId));
        ASSERT_TRUE(wizard.WaitForExit().finished);
    }
    // ForgetInstalledProduct would forget the choice too: keep the product's settings.
    WizardDriver again(distribution.SetupExe(), u"/NoRun");
    ASSERT_NO_FATAL_FAILURE(InstallUpToTheAssociationsPage(again));
    const ListState remembered = ReadList(again);
    EXPECT_FALSE(remembered.shown.IsEmpty());
    EXPECT_TRUE(remembered.ticked.IsEmpty());
    Next(again, kShortcutsIndex);
    EXPECT_FALSE(again.IsChecked(kStartMenuCheck));
    EXPECT_FALSE(again.IsChecked(kDesktopCheck));
    Next(again, kFinishIndex);
    ASSERT_TRUE(again.Click(kNextButtonId));
    EXPECT_TRUE(again.WaitForExit().finished);
}

}  // namespace
