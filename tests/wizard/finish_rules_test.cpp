// The finish page's rules over the finalization's outcome and the switches.
#include "wizard/rules/finish_rules.h"

#include <gtest/gtest.h>

namespace {

using wizard_rules::FinishCheckBox;

TEST(FinishRules, ContentFollowsTheDecision) {
    struct Case {
        engine::FinishDecision decision;
        bool no_run;
        std::u16string_view status;
        FinishCheckBox box;
        bool ticked;
    };
    const Case cases[] = {
        {{false, engine::kFinishRunProgram}, false, wizard_rules::kCompletedText, FinishCheckBox::kRunProgram, true},
        {{false, engine::kFinishNothing}, true, wizard_rules::kCompletedText, FinishCheckBox::kNone, false},
        {{true, engine::kFinishRestart}, false, wizard_rules::kRestartNeededText, FinishCheckBox::kRestart, true},
        {{true, engine::kFinishRestart}, true, wizard_rules::kRestartNeededText, FinishCheckBox::kRestart, true},
        // The choice made before the user came back to the page is kept.
        {{true, engine::kFinishNothing}, false, wizard_rules::kRestartNeededText, FinishCheckBox::kRestart, false},
    };
    for (const Case& c : cases) {
        const wizard_rules::FinishContent content = wizard_rules::DescribeFinish(c.decision, c.no_run);
        EXPECT_EQ(content.status_text, c.status);
        EXPECT_EQ(content.check_box, c.box);
        EXPECT_EQ(content.ticked, c.ticked);
    }
}

TEST(FinishRules, TheChoiceIsTheTickedBoxOrNothing) {
    EXPECT_EQ(wizard_rules::ChosenFinishAction(FinishCheckBox::kRestart, true), engine::kFinishRestart);
    EXPECT_EQ(wizard_rules::ChosenFinishAction(FinishCheckBox::kRestart, false), engine::kFinishNothing);
    EXPECT_EQ(wizard_rules::ChosenFinishAction(FinishCheckBox::kRunProgram, true), engine::kFinishRunProgram);
    EXPECT_EQ(wizard_rules::ChosenFinishAction(FinishCheckBox::kRunProgram, false), engine::kFinishNothing);
    EXPECT_EQ(wizard_rules::ChosenFinishAction(FinishCheckBox::kNone, true), engine::kFinishNothing);
}

}  // namespace
