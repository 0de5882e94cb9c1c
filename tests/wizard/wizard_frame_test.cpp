// The wizard frame driven through its real windows, as a person would click it: the way through
// the pages, the guard against double clicks, and what closing the window says before and after
// the installation has started.
#include <gtest/gtest.h>

#include <string>

#include "tests/app/distribution_fixture.h"
#include "tests/support/product_keys.h"
#include "tests/support/win_test_support.h"
#include "tests/support/window_driver.h"
#include "tests/support/wizard_driver.h"
#include "wizard/control_ids.h"
#include "wizard/rules/page_table.h"

namespace {

using tltest::WizardDriver;
using namespace wizard_ids;

using tltest::kPropertiesKey;
// The sample product offers file associations, so the wizard shows every page.
const int kSetupTypeIndex = wizard_rules::PageIndex(wizard_rules::Page::kSetupType, true);
const int kSelectPathIndex = wizard_rules::PageIndex(wizard_rules::Page::kSelectPath, true);
const int kFileAssociationIndex = wizard_rules::PageIndex(wizard_rules::Page::kFileAssociation, true);
const int kShortcutsIndex = wizard_rules::PageIndex(wizard_rules::Page::kShortcuts, true);
const int kFinishIndex = wizard_rules::PageIndex(wizard_rules::Page::kFinish, true);
// The installation runs between the destination page and the file associations page. Well within the
// test's time limit, so that a hang fails the case with its message instead of ending the program.
constexpr DWORD kInstallationTimeout = 120000;

// Custom setup, so that the custom setup type and destination pages are shown.
void ChooseCustomSetup(WizardDriver& wizard) { wizard.SelectRadio(kSetupTypeFirstRadio, 2, kSetupTypeFirstRadio + 1); }

// Clicks Next until the page with `index` is shown.
void NextUntil(WizardDriver& wizard, int index) {
    while (wizard.PageIndex() < index) {
        const int from = wizard.PageIndex();
        ASSERT_TRUE(wizard.Click(kNextButtonId));
        ASSERT_TRUE(wizard.WaitForPage(from + 1)) << "from page " << from;
    }
}

TEST(WizardFrame, SilentRunPassesOverEveryQuestionAndReachesTheInstallation) {
    tltest::Distribution distribution;
    tltest::StartedProgram setup(distribution.SetupExe(), u"/Silent");
    const auto result = setup.Wait(kInstallationTimeout);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exit_code, 0u);
    // Shown: the welcome page (left at once) and the copy-and-install page; every other page passed
    // over itself, after being made (so that its InitPage ran).
    EXPECT_TRUE(tltest::LogContains(setup, u"Page 0 \"Welcome\" shown"));
    EXPECT_TRUE(tltest::LogContains(setup, u"Page 4 \"Installing Dependencies\" shown"));
    for (const char16_t* title :
         {u"Setup Type", u"Destination Folder", u"File Associations", u"Create Shortcuts", u"Install Complete"}) {
        EXPECT_TRUE(tltest::LogContains(setup, TLString(u"Page \"") + title + u"\" passes over itself"))
            << TLString(title);
        EXPECT_FALSE(tltest::LogContains(setup, TLString(u"\"") + title + u"\" shown")) << TLString(title);
    }
    EXPECT_TRUE(tltest::LogContains(setup, u"The wizard ended with result 1"));
}

// The agreement's text with Unix line ends, as the file holds it.
std::string WithUnixLineEnds(std::string text) {
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) text.erase(at, 1);
    return text;
}

// From the welcome page to the end, looking at what each page offers; on the way, the close box
// before the installation asks (No keeps the wizard) and after it only says it is too late.
TEST(WizardFrame, WalksThroughThePagesAndAnswersTheCloseBoxByPage) {
    tltest::Distribution distribution;
    WizardDriver wizard(distribution.SetupExe(), u"");
    ASSERT_TRUE(wizard.WaitForWizard());
    EXPECT_EQ(wizard.PageIndex(), 0);
    const std::string agreement_shown = WithUnixLineEnds(wizard.Text(kLicenseText).ToUtf8());
    EXPECT_NE(agreement_shown.find("END USER LICENSE AGREEMENT"), std::string::npos) << agreement_shown;
    EXPECT_EQ(wizard.Caption(), TLString(u"Tonehall - Install Wizard"));
    EXPECT_EQ(wizard.Header(), TLString(u"<b>Welcome</b>\r\n\tWelcome to the Install Wizard."));
    const auto back = wizard.Button(kBackButtonId);
    EXPECT_TRUE(back.visible);
    EXPECT_FALSE(back.enabled);
    EXPECT_EQ(wizard.Button(kNextButtonId).text, TLString(u"Accept"));
    EXPECT_TRUE(wizard.Button(kCancelButtonId).enabled);
    EXPECT_EQ(wizard.Button(kCancelButtonId).text, TLString(u"Cancel"));

    NextUntil(wizard, kSetupTypeIndex);
    EXPECT_EQ(wizard.Title(), TLString(u"Setup Type"));
    EXPECT_TRUE(wizard.Button(kBackButtonId).enabled);
    EXPECT_EQ(wizard.Button(kNextButtonId).text, TLString(u"Next >"));
    ChooseCustomSetup(wizard);

    NextUntil(wizard, kSelectPathIndex);
    EXPECT_EQ(wizard.Title(), TLString(u"Destination Folder"));
    wizard.RequestClose();
    HWND confirm = wizard.WaitForMessage(u"Confirm Cancellation");
    ASSERT_NE(confirm, nullptr);
    EXPECT_NE(tltest::AllText(confirm).Find(u"Are you sure you want to cancel Tonehall installation?"), TLString::npos);
    ASSERT_TRUE(wizard.AnswerMessage(u"Confirm Cancellation", u"No"));
    EXPECT_TRUE(wizard.WaitForPage(kSelectPathIndex));
    EXPECT_FALSE(wizard.HasExited());

    // From the copy-and-install page on, the wizard cannot be cancelled any more.
    ASSERT_TRUE(wizard.Click(kNextButtonId));
    ASSERT_TRUE(wizard.WaitForPage(kFileAssociationIndex, kInstallationTimeout));
    EXPECT_EQ(wizard.Title(), TLString(u"File Associations"));
    EXPECT_FALSE(wizard.Button(kBackButtonId).enabled);
    EXPECT_FALSE(wizard.Button(kCancelButtonId).enabled);
    wizard.RequestClose();
    HWND unavailable = wizard.WaitForMessage(u"Cancel Unavailable");
    ASSERT_NE(unavailable, nullptr);
    const TLString text = tltest::AllText(unavailable);
    EXPECT_NE(text.Find(u"Tonehall installation can no longer be canceled."), TLString::npos) << text;
    EXPECT_NE(text.Find(u"Control Panel > Add or Remove Programs."), TLString::npos) << text;
    ASSERT_TRUE(wizard.AnswerMessage(u"Cancel Unavailable", u"OK"));
    EXPECT_TRUE(wizard.WaitForPage(kFileAssociationIndex));

    NextUntil(wizard, kShortcutsIndex);
    EXPECT_EQ(wizard.Title(), TLString(u"Create Shortcuts"));
    EXPECT_TRUE(wizard.Button(kBackButtonId).enabled);
    EXPECT_FALSE(wizard.Button(kCancelButtonId).enabled);
    NextUntil(wizard, kFinishIndex);
    EXPECT_EQ(wizard.Header(), TLString(u"<b>Install Complete</b>\r\n\tThank you for installing Tonehall"));
    EXPECT_EQ(wizard.Button(kNextButtonId).text, TLString(u"Finish"));
    EXPECT_FALSE(wizard.Button(kBackButtonId).enabled);
    ASSERT_TRUE(wizard.Click(kNextButtonId));
    EXPECT_EQ(wizard.WaitForExit().exit_code, 0u);
    EXPECT_TRUE(tltest::LogContains(wizard.program(), u"The wizard ended with result 1"));
    // The agreement accepted on the welcome page is the one installed beside the product.
    EXPECT_EQ(WithUnixLineEnds(
                  tltest::ReadFileBytes(TLString(tltest::InstalledProductCleanup::kDestination) + u"License.txt")),
              agreement_shown);
}

TEST(WizardFrame, YesToTheCloseBoxEndsTheWizardCancelled) {
    tltest::Distribution distribution;
    WizardDriver wizard(distribution.SetupExe(), u"");
    ASSERT_TRUE(wizard.WaitForWizard());
    wizard.RequestClose();
    ASSERT_TRUE(wizard.AnswerMessage(u"Confirm Cancellation", u"Yes"));
    const auto result = wizard.WaitForExit();
    EXPECT_TRUE(result.finished);
    EXPECT_EQ(result.exit_code, 0u);
    EXPECT_TRUE(tltest::LogContains(wizard.program(), u"The wizard ended with result 2"));
}

// The guard against double clicks has its own test on a clock driven by hand; here, the Cancel button
// is never held back by it and cancels at once, without a question.
TEST(WizardFrame, TheCancelButtonCancelsAtOnce) {
    tltest::Distribution distribution;
    WizardDriver wizard(distribution.SetupExe(), u"");
    ASSERT_TRUE(wizard.WaitForWizard());
    NextUntil(wizard, kSetupTypeIndex);
    ASSERT_TRUE(wizard.ClickNow(kCancelButtonId));
    EXPECT_EQ(wizard.WaitForExit().exit_code, 0u);
    EXPECT_TRUE(tltest::LogContains(wizard.program(), u"The wizard ended with result 2"));
}

TEST(WizardFrame, GermanUserSeesTheFrameInGerman) {
    tltest::RegistryCleanup properties(HKEY_CURRENT_USER, kPropertiesKey);
    ASSERT_TRUE(tltest::WriteRegistryString(HKEY_CURRENT_USER, kPropertiesKey, u"Language", u"German"));
    tltest::Distribution distribution;
    WizardDriver wizard(distribution.SetupExe(), u"");
    ASSERT_TRUE(wizard.WaitForWizard());
    EXPECT_EQ(wizard.Caption(), TLString(u"Tonehall - Installationsassistent"));
    EXPECT_EQ(wizard.Header(), TLString(u"<b>Willkommen</b>\r\n\tWillkommen beim Installationsassistenten."));
    EXPECT_EQ(wizard.Button(kNextButtonId).text, TLString(u"Akzeptieren"));
    EXPECT_EQ(wizard.Button(kCancelButtonId).text, TLString(u"Abbrechen"));
    wizard.RequestClose();
    HWND confirm = wizard.WaitForMessage(u"Abbruch bestätigen");
    ASSERT_NE(confirm, nullptr);
    EXPECT_NE(tltest::AllText(confirm).Find(u"Möchten Sie die Installation von Tonehall wirklich abbrechen?"),
              TLString::npos);
    ASSERT_TRUE(wizard.AnswerMessage(u"Abbruch bestätigen", u"Ja"));
    EXPECT_EQ(wizard.WaitForExit().exit_code, 0u);
}

}  // namespace
