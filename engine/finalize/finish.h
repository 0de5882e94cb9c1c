#pragma once
// Finish: carries out the finish page's choice when the user presses Finish. Returns false only when
// the user declined the restart, so that the wizard stays on its page.

#include <windows.h>

#include "engine/finalize/finish_context.h"

namespace engine {

bool Finish(int action, const FinishContext& context, HWND owner);

}  // namespace engine
