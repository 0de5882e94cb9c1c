#pragma once
// CFinishPpg: the last page: the outcome, and a restart or the installed program to run.

#include "wizard/rules/skip_rules.h"
#include "wizard/wizard_property_page.h"

class CFinishPpg : public CWizardPropertyPage {
public:
    explicit CFinishPpg(CInstallWizard& wizard) : CWizardPropertyPage(wizard, wizard_rules::Page::kFinish) {}
    bool WantsSkip() override;

protected:
    void CreateControls() override;

private:
    wizard_rules::FinishAction finish_action_ = wizard_rules::FinishAction::kNothing;
};
