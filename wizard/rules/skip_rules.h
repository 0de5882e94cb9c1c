#pragma once
// When each page passes over itself. Pages not named here (welcome, copy-and-install) never do.

#include "core/session/install_session.h"
#include "engine/finalize/finalize_plan.h"

namespace wizard_rules {

// After the welcome page's countdown ran out; in an Upgrade run, which also turns express mode on;
// in a Silent run.
bool SetupTypeWantsSkip(InstallSession& session);
// When the product offers no custom setup type, in a Silent run, and in express mode.
bool SetupTypeCustomWantsSkip(const InstallSession& session, bool custom_setup_offered);
// In a Silent run, over an existing installation unless portable, and in express mode.
bool SelectPathWantsSkip(const InstallSession& session);
// In a Silent run, in express mode over an existing installation, and in portable mode.
bool FileAssociationWantsSkip(const InstallSession& session);
// In a Silent run, in express mode and in portable mode.
bool ShortcutsWantsSkip(const InstallSession& session);
// In a Silent run, and in express mode when the wizard ends by running the installed program.
bool FinishWantsSkip(const InstallSession& session, engine::FinishAction action);

}  // namespace wizard_rules
