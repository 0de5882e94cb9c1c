#pragma once
// CSetupTypePpg: express or custom setup.

#include "wizard/wizard_property_page.h"

class CSetupTypePpg : public CWizardPropertyPage {
public:
    explicit CSetupTypePpg(CInstallWizard& wizard) : CWizardPropertyPage(wizard, wizard_rules::Page::kSetupType) {}
    bool WantsSkip() override;

protected:
    void CreateControls() override;
};
