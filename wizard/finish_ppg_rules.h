#pragma once
// What the finish page decides: whether it passes over itself, which status text and which check
// box it shows, and which follow-up the user's choice means.

#include "engine/finalize/finalize_plan.h"

namespace finishpage {

inline constexpr char16_t kTitle[] = u"Install Complete";
inline constexpr char16_t kSubtitle[] = u"Thank you for installing ";
inline constexpr char16_t kCompletedText[] = u"Installation successfully completed.";
inline constexpr char16_t kRestartNeededText[] =
    u"Install Wizard could not copy all files.  Windows must be restarted to complete setup.";
inline constexpr char16_t kRestartCheckText[] = u"Restart Windows now";
inline constexpr char16_t kRunCheckText[] = u"Run installed program now";

// A Silent run never shows the page; an Express one only when there is something to ask.
bool WantsSkip(bool silent, bool express, int finish_action);

enum class CheckBox { kNone, kRestart, kRunProgram };

struct PageContent {
    const char16_t* status_text;
    CheckBox check_box;
    bool ticked;
};
PageContent Content(const engine::FinishDecision& decision, bool no_run);

// The follow-up a page with `check_box` in state `ticked` asks for.
int ChosenAction(CheckBox check_box, bool ticked);

}  // namespace finishpage
