// The welcome, setup type and destination folder pages driven through their real windows, as a
// person would click them, from a copy of the sample distribution.
#include <gtest/gtest.h>

#include <vector>

#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

#include "tests/app/distribution_fixture.h"
#include "tests/support/product_keys.h"
#include "tests/support/setup_stand_ins.h"
#include "tests/support/win_test_support.h"
#include "tests/support/window_driver.h"
#include "tests/support/wizard_driver.h"
#include "wizard/control_ids.h"
#include "wizard/rules/page_table.h"

namespace {

using tltest::WizardDriver;
using namespace wizard_ids;

using tltest::kPropertiesKey;
constexpr char16_t kInstaller[] = u"Software\\C. Orvane\\Tonehall 27\\Installer";
constexpr char16_t kRadioEntry[] = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tonehall Radio";
// The sample product offers file associations, so the wizard shows every page.
const int kSetupTypeIndex = wizard_rules::PageIndex(wizard_rules::Page::kSetupType, true);
const int kCustomTypeIndex = wizard_rules::PageIndex(wizard_rules::Page::kSetupTypeCustom, true);
const int kSelectPathIndex = wizard_rules::PageIndex(wizard_rules::Page::kSelectPath, true);
const int kCopyAndInstallIndex = wizard_rules::PageIndex(wizard_rules::Page::kCopyAndInstall, true);
constexpr int64_t kMiB = 1 << 20;

// An environment variable that Setup.exe started meanwhile inherits (the test-only build of it reads
// the variables of setup_stand_ins.h).
class ScopedVariable {
public:
    ScopedVariable(const char16_t* name, const TLString& value) : name_(name) {
        SetEnvironmentVariableW(reinterpret_cast<const wchar_t*>(name_), value.wc());
    }
    ~ScopedVariable() { SetEnvironmentVariableW(reinterpret_cast<const wchar_t*>(name_), nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char16_t* name_;
};

TLString FreeMiB(int64_t mib) { return TLString::Format(u"%I64d", mib * kMiB); }

void Next(WizardDriver& wizard, int expected_index) {
    const int from = wizard.PageIndex();
    ASSERT_TRUE(wizard.Click(kNextButtonId));
    ASSERT_TRUE(wizard.WaitForPage(expected_index)) << "from page " << from << " to " << expected_index;
}

bool WaitForLog(const WizardDriver& wizard, std::u16string_view text) {
    for (int waited = 0; waited < 600; ++waited) {
        if (tltest::LogContains(const_cast<WizardDriver&>(wizard).program(), text)) return true;
        Sleep(50);
    }
    return false;
}

// Texts of the shown page that contain `part`.
bool PageShows(const WizardDriver& wizard, std::u16string_view part) {
    for (const TLString& text : wizard.PageTexts())
        if (text.Find(part) != TLString::npos) return true;
    return false;
}

// Types the folder, presses Next and gives the title and text of the message that refuses it; both
// empty when the folder is accepted and the wizard moves on.
struct Refusal {
    TLString title, text;
};
Refusal TypeAndLeave(WizardDriver& wizard, const TLString& folder, std::initializer_list<std::u16string_view> titles) {
    EXPECT_TRUE(wizard.TypeText(kFolderField, folder));
    EXPECT_TRUE(wizard.Click(kNextButtonId));
    for (int waited = 0; waited < 600; ++waited) {
        for (std::u16string_view title : titles)
            if (HWND box = wizard.WaitForMessage(title, 0)) {
                Refusal refusal{TLString(title), tltest::AllText(box)};
                EXPECT_TRUE(wizard.AnswerMessage(title, u"OK"));
                EXPECT_TRUE(wizard.WaitForPage(kSelectPathIndex));
                return refusal;
            }
        if (wizard.PageIndex() >= kCopyAndInstallIndex || wizard.HasExited()) return {};
        Sleep(50);
    }
    ADD_FAILURE() << "neither a message nor the next page after typing " << folder;
    return {};
}

TEST(WelcomeAndSetupTypePages, CustomThenPortableProposesNoFolderAndRefusesTheEmptyOne) {
    const ScopedVariable free_space(tltest::kFreeBytesVariable, FreeMiB(30));
    tltest::Distribution distribution;
    ASSERT_TRUE(distribution.UseSetupWithStandIns());
    WizardDriver wizard(distribution.SetupExe(), u"");
    ASSERT_TRUE(wizard.WaitForWizard());
    EXPECT_TRUE(PageShows(wizard, u"Please read the following license agreement carefully."));
    EXPECT_TRUE(PageShows(wizard, u"TONEHALL 27 END USER LICENSE AGREEMENT"));

    Next(wizard, kSetupTypeIndex);
    EXPECT_TRUE(PageShows(wizard, u"Please select a setup type."));
    EXPECT_TRUE(PageShows(wizard, u"Custom"));
    EXPECT_FALSE(wizard.IsChecked(kAutoInstallCheck));
    ASSERT_TRUE(wizard.SelectRadio(kSetupTypeFirstRadio, 2, kSetupTypeFirstRadio + 1));
    Next(wizard, kCustomTypeIndex);
    EXPECT_TRUE(PageShows(wizard, u"Please select custom setup type."));
    EXPECT_TRUE(PageShows(wizard, u"Portable install"));
    ASSERT_TRUE(wizard.SelectRadio(kCustomTypeFirstRadio, 2, kCustomTypeFirstRadio + 1));
    Next(wizard, kSelectPathIndex);

    EXPECT_EQ(wizard.Text(kFolderField), TLString());
    const Refusal empty = TypeAndLeave(wizard, TLString(), {u"Invalid Destination Folder"});
    EXPECT_EQ(empty.title, TLString(u"Invalid Destination Folder"));
    EXPECT_NE(empty.text.Find(u"Tonehall can not be installed to an empty folder.\r\n\r\n"
                              u"Please enter a new destination folder."),
              TLString::npos)
        << empty.text;

    // With 30 MiB free a folder of one's own is taken, in portable mode too; the file associations
    // and shortcuts pages pass over themselves.
    const TLString folder = distribution.scratch().Path(u"Portable Tonehall\\");
    const Refusal accepted = TypeAndLeave(wizard, folder, {u"Invalid Destination Folder", u"Insufficient Disk Space"});
    EXPECT_EQ(accepted.title, TLString()) << accepted.text;
    EXPECT_TRUE(tltest::FileExists(folder));
    EXPECT_TRUE(tltest::LogContains(wizard.program(), u"Portable mode: 1"));
    EXPECT_TRUE(WaitForLog(wizard, u"Page \"File Associations\" passes over itself"));
    EXPECT_TRUE(WaitForLog(wizard, u"Page \"Create Shortcuts\" passes over itself"));
}

struct DestinationCase {
    const char* name;
    // The folder as typed; "<scratch>" stands for the test's scratch folder.
    std::u16string_view typed;
    int64_t free_mib;
    // The refusal's title and the start of its text; empty when the folder is accepted.
    std::u16string_view title, text;
};

constexpr std::u16string_view kInvalid = u"Invalid Destination Folder";
constexpr std::u16string_view kNoSpace = u"Insufficient Disk Space";

// Rows run in order, one Setup.exe per free space; an accepted folder ends its run.
const DestinationCase kDestinationCases[] = {
    {"RootWithSeveralBackslashes", u"C:\\\\\\", 25, kInvalid, u"Tonehall can not be installed to the root of a drive."},
    {"RootReachedThroughDotDot", u"C:\\Temp\\..\\", 25, kInvalid,
     u"Tonehall can not be installed to the root of a drive."},
    {"InsideWindowsInAnotherCase", u"c:\\WINDOWS\\System32\\Tonehall", 25, kInvalid,
     u"Tonehall can not be installed in the Windows folder."},
    {"WindowsWithATrailingDot", u"C:\\Windows.\\Tonehall\\", 25, kInvalid,
     u"Tonehall can not be installed in the Windows folder."},
    {"WindowsWithForwardSlashes", u"C:/Windows/Tonehall/", 25, kInvalid,
     u"Tonehall can not be installed in the Windows folder."},
    {"RelativeFolder", u"..\\Tonehall", 25, kInvalid,
     u"Tonehall can not be installed to a folder that does not name its drive."},
    {"ProgramFilesItself", u"C:\\Program Files", 25, kInvalid,
     u"Tonehall can not be installed to a folder that Windows keeps for users or for all programs."},
    {"ParentOfPreexistingProgram", u"<scratch>Apps", 25, kInvalid,
     u"Tonehall can not be installed where a pre-existing program is installed."},
    {"TooLongForTheProcessBlock",
     u"<scratch>Long\\"
     u"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\\"
     u"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\\"
     u"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx",
     25, kInvalid, u"Tonehall can not be installed to a folder with a path this long."},
    {"TwentyFiveMiBFree", u"<scratch>Apps\\Tonehall Radio\\Tonehall", 25, kNoSpace,
     u"There is not enough free space on this drive to install Tonehall.\r\n\r\n"
     u"Tonehall installation requires at least 20 MB of free disk space."},
    {"ThirtyMiBFree", u"<scratch>Tonehall 27", 30, u"", u""},
};

// The family's other program and a folder remembered from a 32-bit installation are on the machine.
TEST(DestinationFolderPage, RefusesFoldersThatCannotHoldTheProduct) {
    tltest::RegistryCleanup installer(HKEY_CURRENT_USER, kInstaller);
    tltest::RegistryCleanup radio(HKEY_LOCAL_MACHINE, kRadioEntry);
    tltest::ScratchFolder scratch;
    ASSERT_TRUE(tltest::WriteRegistryString(HKEY_CURRENT_USER, kInstaller, u"Install Directory",
                                            u"C:\\Program Files (x86)\\Tonehall 27\\"));
    ASSERT_TRUE(tltest::WriteRegistryString(HKEY_LOCAL_MACHINE, kRadioEntry, u"Publisher", u"Corvane, Inc."));
    ASSERT_TRUE(tltest::WriteRegistryString(HKEY_LOCAL_MACHINE, kRadioEntry, u"InstallLocation",
                                            scratch.Path(u"Apps\\Tonehall Radio")));
    tltest::Distribution distribution;
    ASSERT_TRUE(distribution.UseSetupWithStandIns());

    for (int64_t free_mib : {25, 30}) {
        const ScopedVariable free_space(tltest::kFreeBytesVariable, FreeMiB(free_mib));
        WizardDriver wizard(distribution.SetupExe(), u"");
        ASSERT_TRUE(wizard.WaitForWizard());
        Next(wizard, kSetupTypeIndex);
        ASSERT_TRUE(wizard.SelectRadio(kSetupTypeFirstRadio, 2, kSetupTypeFirstRadio + 1));
        Next(wizard, kCustomTypeIndex);
        Next(wizard, kSelectPathIndex);
        // The remembered folder lies among the 32-bit programs: the product's own setting wins.
        EXPECT_EQ(wizard.Text(kFolderField), TLString(u"C:\\Program Files\\Tonehall 27\\"));

        for (const DestinationCase& c : kDestinationCases) {
            if (c.free_mib != free_mib) continue;
            TLString typed(c.typed);
            typed.Replace(u"<scratch>", scratch.path());
            const Refusal refusal = TypeAndLeave(wizard, typed, {kInvalid, kNoSpace, u"Error"});
            EXPECT_EQ(refusal.title, c.title) << c.name << ": " << refusal.text;
            EXPECT_NE(refusal.text.Find(c.text), TLString::npos) << c.name << ": " << refusal.text;
            if (c.title.empty()) {
                EXPECT_TRUE(tltest::FileExists(typed)) << c.name;
            }
        }
    }
}

// The user's profile folder, spelled through the Windows folder.
TLString ProfileThroughTheWindowsFolder() {
    wchar_t profile[MAX_PATH];
    EXPECT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, profile)));
    const TLString folder(profile);
    return u"C:\\windows\\..\\"_tl + folder.Mid(3) + u"\\";
}

// A Silent run whose remembered folder is refused shows the page; what the person types there counts.
TEST(DestinationFolderPage, SilentRunShowsARefusedFolderAndTakesTheCorrection) {
    tltest::RegistryCleanup installer(HKEY_CURRENT_USER, kInstaller);
    ASSERT_TRUE(tltest::WriteRegistryString(HKEY_CURRENT_USER, kInstaller, u"Install Directory",
                                            ProfileThroughTheWindowsFolder()));
    tltest::Distribution distribution;
    WizardDriver wizard(distribution.SetupExe(), u"/Silent");
    // The refusal comes while the wizard passes over the page, before the page is on screen.
    HWND refusal_box = wizard.WaitForMessage(kInvalid);
    ASSERT_NE(refusal_box, nullptr);
    EXPECT_NE(tltest::AllText(refusal_box)
                  .Find(u"Tonehall can not be installed to a folder that Windows keeps for users or for all programs."),
              TLString::npos);
    ASSERT_TRUE(wizard.AnswerMessage(kInvalid, u"OK"));
    ASSERT_TRUE(wizard.WaitForWizard());
    ASSERT_TRUE(wizard.WaitForPage(kSelectPathIndex));

    const TLString corrected = distribution.scratch().Path(u"Tonehall 27\\");
    const Refusal refusal = TypeAndLeave(wizard, corrected, {kInvalid, kNoSpace, u"Error"});
    EXPECT_EQ(refusal.title, TLString()) << refusal.text;
    EXPECT_EQ(wizard.WaitForExit().exit_code, 0u);
    EXPECT_TRUE(tltest::FileExists(corrected));
    EXPECT_TRUE(tltest::LogContains(wizard.program(), TLString(u"Destination folder: ") + corrected));
}

// What the setup type page of an earlier run stores when its check box was ticked.
void RememberAutoInstall() {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, reinterpret_cast<const wchar_t*>(kInstaller), 0, nullptr, 0, KEY_WRITE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const DWORD one = 1;
    RegSetValueExW(key, L"Run Auto Install", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
    RegCloseKey(key);
}

// The captions the countdown showed, in order, from the log (each tick logs its caption, so that no
// poll of the window can miss one).
std::vector<TLString> CountdownCaptions(const WizardDriver& wizard) {
    constexpr std::u16string_view kMark = u"Countdown caption: ";
    std::vector<TLString> captions;
    for (const TLString& line : tltest::LogLinesOf(const_cast<WizardDriver&>(wizard).program())) {
        const size_t at = line.Find(kMark);
        if (at != TLString::npos) captions.push_back(line.Mid(at + kMark.size()));
    }
    return captions;
}

// A short countdown second stands in for the real one, so that the wait is short.
TEST(WelcomePage, AutoInstallCountsDownInTheCaptionAndInstallsInExpressMode) {
    tltest::RegistryCleanup installer(HKEY_CURRENT_USER, kInstaller);
    // The express install checks and makes the remembered folder.
    tltest::ScratchFolder destination;
    ASSERT_TRUE(tltest::WriteRegistryString(HKEY_CURRENT_USER, kInstaller, u"Install Directory", destination.path()));
    RememberAutoInstall();
    const ScopedVariable tick(tltest::kCountdownTickVariable, u"300");
    tltest::Distribution distribution;
    ASSERT_TRUE(distribution.UseSetupWithStandIns());
    WizardDriver wizard(distribution.SetupExe(), u"");
    ASSERT_TRUE(wizard.WaitForWizard());
    EXPECT_EQ(wizard.Caption(), TLString(u"Tonehall - Install Wizard"));

    ASSERT_TRUE(WaitForLog(wizard, u"Page 4 \"Installing Dependencies\" shown"));
    EXPECT_TRUE(tltest::LogContains(wizard.program(), u"countdown ran out"));
    const std::vector<TLString> captions = CountdownCaptions(wizard);
    ASSERT_GE(captions.size(), 2u);
    // Whole seconds downwards from 30; the end may come before the last tick is seen.
    for (size_t i = 0; i < captions.size(); ++i)
        EXPECT_EQ(captions[i], TLString::Format(u"Tonehall - Install Wizard (Auto Install in %d seconds)",
                                                static_cast<int>(30 - i)));
    for (const char16_t* title : {u"Setup Type", u"Destination Folder"})
        EXPECT_TRUE(tltest::LogContains(wizard.program(), TLString(u"Page \"") + title + u"\" passes over itself"))
            << TLString(title);
}

TEST(WelcomePage, AcceptDuringTheCountdownStopsItAndAsksForTheSetupType) {
    tltest::RegistryCleanup installer(HKEY_CURRENT_USER, kInstaller);
    RememberAutoInstall();
    // Real seconds: the countdown must still run when Accept is pressed.
    tltest::Distribution distribution;
    WizardDriver wizard(distribution.SetupExe(), u"");
    ASSERT_TRUE(wizard.WaitForWizard());
    ASSERT_TRUE(WaitForLog(wizard, u"Automatic install in 30 seconds"));
    Next(wizard, kSetupTypeIndex);
    // Leaving the page ends the countdown's timers; the caption says nothing more of it.
    EXPECT_TRUE(tltest::LogContains(wizard.program(), u"The automatic install's countdown stopped"));
    EXPECT_EQ(wizard.Caption(), TLString(u"Tonehall - Install Wizard"));
    // The remembered choice ticks the box; the user now turns it off.
    EXPECT_TRUE(wizard.IsChecked(kAutoInstallCheck));

    ASSERT_TRUE(wizard.SetChecked(kAutoInstallCheck, false));
    ASSERT_TRUE(wizard.SelectRadio(kSetupTypeFirstRadio, 2, kSetupTypeFirstRadio + 1));
    Next(wizard, kCustomTypeIndex);
    DWORD remembered = 1;
    EXPECT_TRUE(tltest::ReadRegistryDword(HKEY_CURRENT_USER, kInstaller, u"Run Auto Install", &remembered));
    EXPECT_EQ(remembered, 0u);
    EXPECT_FALSE(tltest::LogContains(wizard.program(), u"countdown ran out"));
}

TEST(WelcomeAndSetupTypePages, GermanRunShowsThePagesInGerman) {
    tltest::RegistryCleanup properties(HKEY_CURRENT_USER, kPropertiesKey);
    ASSERT_TRUE(tltest::WriteRegistryString(HKEY_CURRENT_USER, kPropertiesKey, u"Language", u"German"));
    tltest::Distribution distribution;
    WizardDriver wizard(distribution.SetupExe(), u"");
    ASSERT_TRUE(wizard.WaitForWizard());
    EXPECT_TRUE(PageShows(wizard, u"Bitte lesen Sie die folgende Lizenzvereinbarung sorgfältig durch."));
    Next(wizard, kSetupTypeIndex);
    EXPECT_TRUE(PageShows(wizard, u"Bitte wählen Sie eine Installationsart."));
    EXPECT_TRUE(PageShows(wizard, u"Benutzerdefiniert"));
    EXPECT_TRUE(PageShows(wizard, u"Beim nächsten Mal nach 30 Sekunden automatisch installieren."));
    ASSERT_TRUE(wizard.SelectRadio(kSetupTypeFirstRadio, 2, kSetupTypeFirstRadio + 1));
    Next(wizard, kCustomTypeIndex);
    EXPECT_TRUE(PageShows(wizard, u"Portable Installation"));
    Next(wizard, kSelectPathIndex);
    EXPECT_EQ(wizard.Title(), TLString(u"Zielordner"));
    EXPECT_TRUE(PageShows(wizard, u"Installieren in:"));
    const Refusal empty = TypeAndLeave(wizard, TLString(), {u"Ungültiger Zielordner"});
    EXPECT_NE(empty.text.Find(u"Tonehall kann nicht ohne Zielordner installiert werden.\r\n\r\n"
                              u"Bitte geben Sie einen neuen Zielordner ein."),
              TLString::npos)
        << empty.text;
}

}  // namespace
