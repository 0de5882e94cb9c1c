#include "wizard/setup_type_custom_ppg.h"

#include "core/tools/tools.h"
#include "wizard/control_ids.h"
#include "wizard/install_wizard.h"
#include "wizard/rules/setup_type_rules.h"
#include "wizard/rules/skip_rules.h"
#include "wizard/setup_type_choices.h"

namespace {

bool CustomSetupTypeOffered() { return tools::ProductFeature(wizard_rules::kCustomSetupTypeFeature); }

}  // namespace

bool CSetupTypeCustomPpg::WantsSkip() {
    return wizard_rules::SetupTypeCustomWantsSkip(session(), CustomSetupTypeOffered());
}

void CSetupTypeCustomPpg::CreateControls() {
    label_.Create(*this, wizard_ids::kCustomTypeLabel, {0, 0, 500, 20},
                  tools::Translate(wizard_rules::kCustomSetupTypeLabel));
    choices_.Create(*this, wizard_ids::kCustomTypeFirstRadio, {0, 30, 500, 300},
                    TranslatedChoices(wizard_rules::kCustomSetupTypeChoices));
}

bool CSetupTypeCustomPpg::OnLeaveNext() {
    wizard_rules::LeaveCustomSetupType(session(), CustomSetupTypeOffered(), choices_.Selected());
    tools::LogFormat(u"CSetupTypeCustomPpg", u"Portable mode: %d", session().PortableMode);
    return ApplyPage();
}
