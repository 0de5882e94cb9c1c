#pragma once
// Finish: carries out the finish page's choice when the user presses Finish. Returns false only when
// the user declined the restart, so that the wizard stays on its page; the restart is confirmed
// through `prompts`.

#include "core/tools/install_prompts.h"
#include "engine/finalize/finish_context.h"

namespace engine {

bool Finish(int action, const FinishContext& context, tools::IInstallPrompts& prompts);

}  // namespace engine
