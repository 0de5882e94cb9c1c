#include "wizard/setup_type_custom_ppg.h"

#include "core/tools/tools.h"
#include "wizard/install_wizard.h"
#include "wizard/rules/skip_rules.h"

bool CSetupTypeCustomPpg::WantsSkip() {
    return wizard_rules::SetupTypeCustomWantsSkip(session(), tools::ProductFeature(173));
}

void CSetupTypeCustomPpg::CreateControls() {
    tools::Log(
        u"CSetupTypeCustomPpg",
        u"The choice of a normal or portable install is not built yet: the page offers no choice and stores none");
}
