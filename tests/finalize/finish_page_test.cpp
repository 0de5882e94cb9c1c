// The finish page at the end of a real installation, clicked through Setup.exe as a person would:
// the program offered to run and named in the finish note; a program file in use, which asks for a
// restart that the user may decline and leaves the rest to the next start, carried out by Wine's
// restart and the RunOnce command.
#include <gtest/gtest.h>

#include "core/xml/file_text.h"
#include "tests/app/distribution_fixture.h"
#include "tests/finalize/next_start.h"
#include "tests/support/product_keys.h"
#include "tests/support/win_test_support.h"
#include "tests/support/wizard_driver.h"
#include "wizard/control_ids.h"
#include "wizard/rules/page_table.h"

namespace {

using tltest::WizardDriver;
using namespace wizard_ids;

using tltest::kProductSettingsKey;
using tltest::kFinalizeKey;
using tltest::kRunOnceKey;
constexpr char16_t kTagEditorServerKey[] =
    u"Software\\Classes\\CLSID\\{6B1E3C2A-27D0-4C1B-9E55-7A1D0C5E2701}\\InprocServer32";
// The sample product offers file associations, so the wizard shows every page.
const int kSetupTypeIndex = wizard_rules::PageIndex(wizard_rules::Page::kSetupType, true);
const int kCustomTypeIndex = wizard_rules::PageIndex(wizard_rules::Page::kSetupTypeCustom, true);
const int kSelectPathIndex = wizard_rules::PageIndex(wizard_rules::Page::kSelectPath, true);
const int kCopyAndInstallIndex = wizard_rules::PageIndex(wizard_rules::Page::kCopyAndInstall, true);
const int kFinishIndex = wizard_rules::PageIndex(wizard_rules::Page::kFinish, true);

class FinishPage : public ::testing::Test {
protected:
    // Welcome, Custom, Normal, the scratch destination, and Next after the installation up to the end.
    void WalkToTheFinishPage(WizardDriver& wizard) {
        ASSERT_TRUE(wizard.WaitForWizard());
        ASSERT_TRUE(wizard.Click(kNextButtonId));
        ASSERT_TRUE(wizard.WaitForPage(kSetupTypeIndex));
        ASSERT_TRUE(wizard.SelectRadio(kSetupTypeFirstRadio, 2, kSetupTypeFirstRadio + 1));
        ASSERT_TRUE(wizard.Click(kNextButtonId));
        ASSERT_TRUE(wizard.WaitForPage(kCustomTypeIndex));
        ASSERT_TRUE(wizard.Click(kNextButtonId));
        ASSERT_TRUE(wizard.WaitForPage(kSelectPathIndex));
        ASSERT_TRUE(wizard.TypeText(kFolderField, destination_));
        ASSERT_TRUE(wizard.Click(kNextButtonId));
        ASSERT_TRUE(wizard.WaitForPage(kCopyAndInstallIndex));
        for (int page = kCopyAndInstallIndex + 1; page <= kFinishIndex; ++page) {
            ASSERT_TRUE(wizard.WaitForPage(page, 120000)) << page;
            if (page < kFinishIndex) {
                ASSERT_TRUE(wizard.Click(kNextButtonId));
            }
        }
        EXPECT_EQ(wizard.Title(), TLString(u"Install Complete"));
        EXPECT_EQ(wizard.Subtitle(), TLString(u"Thank you for installing Tonehall"));
        EXPECT_EQ(wizard.Button(kNextButtonId).text, TLString(u"Finish"));
        EXPECT_FALSE(wizard.Button(kBackButtonId).enabled);
        EXPECT_FALSE(wizard.Button(kCancelButtonId).enabled);
    }
    TLString FinishNote() const { return distribution_.Path(u"Finish.txt"); }

    // Each test installs afresh: no installation of an earlier test is found.
    tltest::RegistryCleanup installations_{HKEY_LOCAL_MACHINE, u"Software\\C. Orvane\\Tone Core\\Installations"};
    tltest::RegistryCleanup uninstall_entry_{
        HKEY_LOCAL_MACHINE, u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tonehall 27 (64-bit)"};
    tltest::RegistryCleanup settings_{HKEY_CURRENT_USER, kProductSettingsKey};
    tltest::RegistryCleanup run_once_{HKEY_CURRENT_USER, kRunOnceKey};
    tltest::RegistryCleanup tag_editor_{HKEY_LOCAL_MACHINE, kTagEditorServerKey};
    tltest::Distribution distribution_;
    TLString destination_ = distribution_.scratch().Path(u"Installed\\Tonehall 27\\");
};

TEST_F(FinishPage, OffersTheInstalledProgramAndNamesItInTheFinishNote) {
    ASSERT_TRUE(distribution_.scratch().WriteFile(u"Finish.txt", "an earlier run's note"));
    WizardDriver wizard(distribution_.SetupExe(), u"");
    WalkToTheFinishPage(wizard);
    EXPECT_EQ(wizard.Text(kFinishStatus), TLString(u"Installation successfully completed."));
    EXPECT_EQ(wizard.Text(kFinishActionCheck), TLString(u"Run installed program now"));
    EXPECT_TRUE(wizard.IsChecked(kFinishActionCheck));
    ASSERT_TRUE(wizard.Click(kNextButtonId));
    const tltest::ProgramResult result = wizard.WaitForExit();
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exit_code, 0u);

    EXPECT_EQ(
        tltest::ReadFileBytes(FinishNote()),
        tlxml::EncodeFileText(u"TLFI0001\r\n"_tl + destination_ + u"Tonehall.exe", tlxml::TextEncoding::kUtf16LE));
    TLString command;
    EXPECT_FALSE(tltest::ReadRegistryString(HKEY_CURRENT_USER, kRunOnceKey, u"Install Wizard Completion", &command));
}

TEST_F(FinishPage, AProgramFileInUseAsksForARestartAndTheNextStartFinishesTheInstall) {
    ASSERT_TRUE(distribution_.scratch().WriteFile(u"Installed\\Tonehall 27\\TLTagEditor.dll", "the version in use"));
    const TLString tag_editor = destination_ + u"TLTagEditor.dll";
    HANDLE in_use = CreateFileW(tag_editor.wc(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(in_use, INVALID_HANDLE_VALUE);

    WizardDriver wizard(distribution_.SetupExe(), u"");
    WalkToTheFinishPage(wizard);
    EXPECT_EQ(wizard.Text(kFinishStatus),
              TLString(u"Install Wizard could not copy all files.  Windows must be restarted to complete setup."));
    EXPECT_EQ(wizard.Text(kFinishActionCheck), TLString(u"Restart Windows now"));
    EXPECT_TRUE(wizard.IsChecked(kFinishActionCheck));

    // Declining the restart keeps the wizard on its page; without the tick, Finish ends it.
    ASSERT_TRUE(wizard.Click(kNextButtonId));
    HWND confirm = wizard.WaitForMessage(u"Confirm Restart");
    ASSERT_NE(confirm, nullptr);
    ASSERT_TRUE(wizard.AnswerMessage(u"Confirm Restart", u"Cancel"));
    EXPECT_TRUE(wizard.WaitForPage(kFinishIndex));
    EXPECT_FALSE(wizard.HasExited());
    ASSERT_TRUE(wizard.SetChecked(kFinishActionCheck, false));
    ASSERT_TRUE(wizard.Click(kNextButtonId));
    const tltest::ProgramResult result = wizard.WaitForExit();
    ASSERT_TRUE(result.finished);
    EXPECT_TRUE(tltest::LogContains(wizard.program(), u"The wizard ended with result 1"));
    EXPECT_FALSE(tltest::LogContains(wizard.program(), u"CSystemShutdown::Shutdown"));
    EXPECT_FALSE(tltest::FileExists(FinishNote()));
    CloseHandle(in_use);

    // What waits for the next start: Windows moves the staged file (the delayed move was arranged, so
    // the finalize list need not), and the package installer registers it.
    TLString staged, registration, command, server;
    EXPECT_FALSE(tltest::ReadRegistryString(HKEY_CURRENT_USER, kFinalizeKey, u"Install File (0)", &staged));
    ASSERT_TRUE(tltest::ReadRegistryString(HKEY_CURRENT_USER, kFinalizeKey, u"Register File (0)", &registration));
    EXPECT_EQ(registration, u"_REGISTERFILE|"_tl + tag_editor);
    ASSERT_TRUE(tltest::ReadRegistryString(HKEY_CURRENT_USER, kRunOnceKey, u"Install Wizard Completion", &command));
    EXPECT_EQ(command, u"\""_tl + destination_ + u"PackageInstaller.exe\" \"/FinishInstall\"");
    EXPECT_EQ(tltest::ReadFileBytes(tag_editor), "the version in use");
    EXPECT_FALSE(tltest::ReadRegistryString(HKEY_LOCAL_MACHINE, kTagEditorServerKey, u"", &server));

    // Wine's restart moves the staged file into place; the log-on runs the RunOnce command (Wine's
    // restart may have run it already, and a second run does nothing).
    ASSERT_TRUE(tltest::RestartWine());
    EXPECT_EQ(tltest::ReadFileBytes(tag_editor),
              tltest::ReadFileBytes(distribution_.Path(u"Tunevault\\TLTagEditor.dll")));
    ASSERT_TRUE(tltest::RunRunOnceCommand(command)) << command;
    ASSERT_TRUE(tltest::ReadRegistryString(HKEY_LOCAL_MACHINE, kTagEditorServerKey, u"", &server));
    EXPECT_TRUE(server.EqualsNoCase(tag_editor)) << server;
    EXPECT_FALSE(tltest::ReadRegistryString(HKEY_CURRENT_USER, kFinalizeKey, u"Register File (0)", &registration));
}

}  // namespace
