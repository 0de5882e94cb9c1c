#pragma once
// CSetupTypeCustomPpg: after Custom: a normal install to this computer or a portable one.

#include "wizard/wizard_property_page.h"

class CSetupTypeCustomPpg : public CWizardPropertyPage {
public:
    explicit CSetupTypeCustomPpg(CInstallWizard& wizard)
        : CWizardPropertyPage(wizard, wizard_rules::Page::kSetupTypeCustom) {}
    bool WantsSkip() override;

protected:
    void CreateControls() override;
};
