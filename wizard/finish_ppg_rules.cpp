#include "wizard/finish_ppg_rules.h"

namespace finishpage {

bool WantsSkip(bool silent, bool express, int finish_action) {
    return silent || (express && finish_action == engine::kFinishRunProgram);
}

PageContent Content(const engine::FinishDecision& decision, bool no_run) {
    if (decision.restart_required)
        return {kRestartNeededText, CheckBox::kRestart, decision.action == engine::kFinishRestart};
    if (no_run) return {kCompletedText, CheckBox::kNone, false};
    return {kCompletedText, CheckBox::kRunProgram, decision.action == engine::kFinishRunProgram};
}

int ChosenAction(CheckBox check_box, bool ticked) {
    if (!ticked) return engine::kFinishNothing;
    switch (check_box) {
        case CheckBox::kRestart:
            return engine::kFinishRestart;
        case CheckBox::kRunProgram:
            return engine::kFinishRunProgram;
        case CheckBox::kNone:
            break;
    }
    return engine::kFinishNothing;
}

}  // namespace finishpage
