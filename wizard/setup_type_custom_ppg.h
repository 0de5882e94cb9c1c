#pragma once
// CSetupTypeCustomPpg: after Custom: a normal install to this computer or a portable one.

#include "toolkit/controls/tl_label.h"
#include "toolkit/controls/tl_radio_group.h"
#include "wizard/wizard_property_page.h"

class CSetupTypeCustomPpg : public CWizardPropertyPage {
public:
    explicit CSetupTypeCustomPpg(CInstallWizard& wizard)
        : CWizardPropertyPage(wizard, wizard_rules::Page::kSetupTypeCustom) {}
    bool WantsSkip() override;
    bool OnLeaveNext() override;

protected:
    void CreateControls() override;

private:
    TLLabel label_;
    TLRadioGroup choices_;
};
