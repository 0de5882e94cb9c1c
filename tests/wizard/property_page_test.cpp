// The installer's page base and the wizard's page list, in process and without windows: what a page
// does when it would pass over itself, and what each page of the list says about its buttons.
#include <gtest/gtest.h>

#include "tests/support/recording_prompts.h"
#include "wizard/install_wizard.h"

namespace {

class ProbePage : public CWizardPropertyPage {
public:
    explicit ProbePage(CInstallWizard& wizard) : CWizardPropertyPage(wizard, wizard_rules::Page::kSelectPath) {}
    bool skip = false;
    bool answers_apply = true;
    int applied = 0;
    bool WantsSkip() override { return skip; }
    bool ApplyPage() override {
        ++applied;
        return answers_apply;
    }
};

class PropertyPage : public ::testing::Test {
protected:
    void SetUp() override { session.ExpressMode = true; }
    // The pages reach the session only through the wizard's context: this one is the test's own.
    InstallSession session;
    engine::PendingOperations pending;
    tltest::RecordingPrompts prompts;
    engine::InstallContext context{
        .session = session, .source_folder = TLString(), .pending = pending, .prompts = prompts};
    CInstallWizard wizard{context};
    ProbePage page{wizard};
};

TEST_F(PropertyPage, APageThatDoesNotAskToPassOverIsShownWithoutApplying) {
    EXPECT_TRUE(page.ShowOnActivate());
    EXPECT_EQ(page.applied, 0);
    EXPECT_TRUE(session.ExpressMode);
}

TEST_F(PropertyPage, APageThatPassesOverItselfStoresItsAnswers) {
    page.skip = true;
    EXPECT_FALSE(page.ShowOnActivate());
    EXPECT_EQ(page.applied, 1);
    EXPECT_TRUE(session.ExpressMode);
}

// The person must see the page that could not apply its answers, and every page after it.
TEST_F(PropertyPage, AFailingApplyShowsThePageAndEndsExpressMode) {
    page.skip = true;
    page.answers_apply = false;
    EXPECT_TRUE(page.ShowOnActivate());
    EXPECT_EQ(page.applied, 1);
    EXPECT_FALSE(session.ExpressMode);
}

TEST_F(PropertyPage, LeavingForwardAppliesTheAnswers) {
    page.answers_apply = false;
    EXPECT_FALSE(page.OnLeaveNext());
    page.answers_apply = true;
    EXPECT_TRUE(page.OnLeaveNext());
    EXPECT_EQ(page.applied, 2);
    EXPECT_TRUE(page.OnLeaveBack());
}

// Without the tools library the product offers no file associations page: seven pages, each with
// its header and buttons.
TEST_F(PropertyPage, TheWizardListsItsPagesWithTheirButtons) {
    struct Expected {
        const char16_t* title;
        bool back, next, cancel;
        const char16_t* next_text;
    };
    const Expected expected[] = {
        {u"Welcome", false, true, true, u"Accept"},
        {u"Setup Type", true, true, true, u"Next >"},
        {u"Setup Type", true, true, true, u"Next >"},
        {u"Destination Folder", true, true, true, u"Next >"},
        {u"Installing Dependencies", false, false, false, u"Next >"},
        {u"Create Shortcuts", true, true, false, u"Next >"},
        {u"Install Complete", false, true, false, u"Finish"},
    };
    ASSERT_EQ(wizard.PageCount(), static_cast<int>(std::size(expected)));
    for (int i = 0; i < wizard.PageCount(); ++i) {
        SCOPED_TRACE(i);
        TLWizardPage& listed = *wizard.PageAt(i);
        EXPECT_EQ(listed.GetTitle(), TLString(expected[i].title));
        EXPECT_EQ(listed.GetCaption(), TLString(u" - Install Wizard"));
        EXPECT_EQ(listed.IsBackEnabled(), expected[i].back);
        EXPECT_EQ(listed.IsNextEnabled(), expected[i].next);
        EXPECT_EQ(listed.IsCancelEnabled(), expected[i].cancel);
        EXPECT_EQ(listed.GetNextText(), TLString(expected[i].next_text));
    }
    EXPECT_EQ(wizard.PageAt(6)->GetSubtitle(), TLString(u"Thank you for installing "));
}

}  // namespace
