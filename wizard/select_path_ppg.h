#pragma once
// CSelectPathPpg: the folder the product is installed to.

#include "wizard/wizard_property_page.h"

class CSelectPathPpg : public CWizardPropertyPage {
public:
    explicit CSelectPathPpg(CInstallWizard& wizard) : CWizardPropertyPage(wizard, wizard_rules::Page::kSelectPath) {}
    bool WantsSkip() override;

protected:
    void CreateControls() override;
};
