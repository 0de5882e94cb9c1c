#include "wizard/setup_type_ppg.h"

#include "core/tools/tools.h"
#include "wizard/install_wizard.h"
#include "wizard/rules/skip_rules.h"

bool CSetupTypePpg::WantsSkip() { return wizard_rules::SetupTypeWantsSkip(session()); }

void CSetupTypePpg::CreateControls() {
    tools::Log(u"CSetupTypePpg",
               u"The choice of express or custom setup is not built yet: the page offers no choice and stores none");
}
