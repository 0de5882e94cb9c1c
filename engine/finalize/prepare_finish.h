#pragma once
// Prepare finish: run once when the wizard reaches its finish page. Writes what is left for the next
// start into "Installer\Finalize" and schedules the package installer under RunOnce, decides
// whether Windows must restart, empties the pending file list, keeps the install counters and lets
// the installed programs register themselves.

#include "engine/finalize/finalize_plan.h"
#include "engine/finalize/finish_context.h"
#include "engine/pending/pending_operations.h"

namespace engine {

FinishDecision PrepareFinish(PendingOperations& pending, const FinishContext& context);

}  // namespace engine
