#include "wizard/finish_ppg.h"

#include "core/tools/tools.h"
#include "wizard/install_wizard.h"
#include "wizard/rules/skip_rules.h"

bool CFinishPpg::WantsSkip() { return wizard_rules::FinishWantsSkip(session(), finish_action_); }

void CFinishPpg::CreateControls() {
    tools::Log(
        u"CFinishPpg",
        u"The finalization is not built yet: nothing is prepared for the next start and nothing runs at the end");
}
