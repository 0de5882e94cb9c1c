#pragma once
// What the finish page shows after the finalization was prepared: its status text and its one check
// box, and which follow-up the state of that box asks for when the page is left.

#include "engine/finalize/finalize_plan.h"

namespace wizard_rules {

inline constexpr char16_t kCompletedText[] = u"Installation successfully completed.";
inline constexpr char16_t kRestartNeededText[] =
    u"Install Wizard could not copy all files.  Windows must be restarted to complete setup.";
inline constexpr char16_t kRestartCheckText[] = u"Restart Windows now";
inline constexpr char16_t kRunCheckText[] = u"Run installed program now";

enum class FinishCheckBox { kNone, kRestart, kRunProgram };

struct FinishContent {
    const char16_t* status_text;
    FinishCheckBox check_box;
    bool ticked;
};
// A restart offers to restart; otherwise, unless NoRun is set, the page offers to run the program.
FinishContent DescribeFinish(const engine::FinishDecision& decision, bool no_run);

// The follow-up (engine::FinishAction) a page with `check_box` in state `ticked` asks for.
int ChosenFinishAction(FinishCheckBox check_box, bool ticked);

}  // namespace wizard_rules
