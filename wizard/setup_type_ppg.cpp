#include "wizard/setup_type_ppg.h"

#include "core/tools/tools.h"
#include "wizard/control_ids.h"
#include "wizard/install_wizard.h"
#include "wizard/rules/license_rules.h"
#include "wizard/rules/setup_type_rules.h"
#include "wizard/rules/skip_rules.h"
#include "wizard/setup_type_choices.h"

bool CSetupTypePpg::WantsSkip() { return wizard_rules::SetupTypeWantsSkip(session()); }

void CSetupTypePpg::CreateControls() {
    label_.Create(*this, wizard_ids::kSetupTypeLabel, {0, 0, 500, 20}, tools::Translate(wizard_rules::kSetupTypeLabel));
    choices_.Create(*this, wizard_ids::kSetupTypeFirstRadio, {0, 30, 500, 230},
                    TranslatedChoices(wizard_rules::kSetupTypeChoices));
    const int64_t run_auto_install =
        tools::OpenSettingsSection(u"Installer"_tl).GetInteger(wizard_rules::kRunAutoInstallValue, 0);
    auto_install_.Create(*this, wizard_ids::kAutoInstallCheck, {0, 260, 500, 300},
                         tools::Translate(wizard_rules::kAutoInstallCheckText),
                         wizard_rules::AutoInstallTickedAtStart(run_auto_install));
}

bool CSetupTypePpg::OnLeaveNext() {
    const std::optional<int> remembered =
        wizard_rules::LeaveSetupType(session(), choices_.Selected(), auto_install_.IsChecked());
    if (remembered)
        tools::OpenSettingsSection(u"Installer"_tl).SetInteger(wizard_rules::kRunAutoInstallValue, *remembered);
    tools::LogFormat(u"CSetupTypePpg", u"Express mode: %d", session().ExpressMode);
    return ApplyPage();
}
