#include "wizard/rules/finish_rules.h"

namespace wizard_rules {

FinishContent DescribeFinish(const engine::FinishDecision& decision, bool no_run) {
    if (decision.restart_required)
        return {kRestartNeededText, FinishCheckBox::kRestart, decision.action == engine::kFinishRestart};
    if (no_run) return {kCompletedText, FinishCheckBox::kNone, false};
    return {kCompletedText, FinishCheckBox::kRunProgram, decision.action == engine::kFinishRunProgram};
}

int ChosenFinishAction(FinishCheckBox check_box, bool ticked) {
    if (!ticked) return engine::kFinishNothing;
    switch (check_box) {
        case FinishCheckBox::kRestart:
            return engine::kFinishRestart;
        case FinishCheckBox::kRunProgram:
            return engine::kFinishRunProgram;
        case FinishCheckBox::kNone:
            break;
    }
    return engine::kFinishNothing;
}

}  // namespace wizard_rules
