// The finish page's rules over the finalization's outcome and the switches.
#include "wizard/finish_ppg_rules.h"

#include <gtest/gtest.h>

namespace {

using finishpage::CheckBox;

TEST(FinishPageRules, PassesOverItselfWhenSilentOrExpressWithNothingToAsk) {
    struct Case {
        bool silent, express;
        int action;
        bool skip;
    };
    const Case cases[] = {
        {true, false, engine::kFinishRestart, true},    {true, true, engine::kFinishNothing, true},
        {false, true, engine::kFinishRunProgram, true}, {false, true, engine::kFinishRestart, false},
        {false, true, engine::kFinishNothing, false},   {false, false, engine::kFinishRunProgram, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(finishpage::WantsSkip(c.silent, c.express, c.action), c.skip) << c.silent << c.express << c.action;
}

TEST(FinishPageRules, ContentFollowsTheDecision) {
    struct Case {
        engine::FinishDecision decision;
        bool no_run;
        std::u16string_view status;
        CheckBox box;
        bool ticked;
    };
    const Case cases[] = {
        {{false, engine::kFinishRunProgram}, false, finishpage::kCompletedText, CheckBox::kRunProgram, true},
        {{false, engine::kFinishNothing}, true, finishpage::kCompletedText, CheckBox::kNone, false},
        {{true, engine::kFinishRestart}, false, finishpage::kRestartNeededText, CheckBox::kRestart, true},
        {{true, engine::kFinishRestart}, true, finishpage::kRestartNeededText, CheckBox::kRestart, true},
        // The choice made before the user came back to the page is kept.
        {{true, engine::kFinishNothing}, false, finishpage::kRestartNeededText, CheckBox::kRestart, false},
    };
    for (const Case& c : cases) {
        const finishpage::PageContent content = finishpage::Content(c.decision, c.no_run);
        EXPECT_EQ(content.status_text, c.status);
        EXPECT_EQ(content.check_box, c.box);
        EXPECT_EQ(content.ticked, c.ticked);
    }
}

TEST(FinishPageRules, TheChoiceIsTheTickedBoxOrNothing) {
    EXPECT_EQ(finishpage::ChosenAction(CheckBox::kRestart, true), engine::kFinishRestart);
    EXPECT_EQ(finishpage::ChosenAction(CheckBox::kRestart, false), engine::kFinishNothing);
    EXPECT_EQ(finishpage::ChosenAction(CheckBox::kRunProgram, true), engine::kFinishRunProgram);
    EXPECT_EQ(finishpage::ChosenAction(CheckBox::kRunProgram, false), engine::kFinishNothing);
    EXPECT_EQ(finishpage::ChosenAction(CheckBox::kNone, true), engine::kFinishNothing);
}

}  // namespace
