#pragma once
// CSetupTypePpg: express or custom setup, and whether the next run installs by itself after a
// countdown.

#include "toolkit/controls/tl_check_box.h"
#include "toolkit/controls/tl_label.h"
#include "toolkit/controls/tl_radio_group.h"
#include "wizard/wizard_property_page.h"

class CSetupTypePpg : public CWizardPropertyPage {
public:
    explicit CSetupTypePpg(CInstallWizard& wizard) : CWizardPropertyPage(wizard, wizard_rules::Page::kSetupType) {}
    bool WantsSkip() override;
    bool OnLeaveNext() override;

protected:
    void CreateControls() override;

private:
    TLLabel label_;
    TLRadioGroup choices_;
    TLCheckBox auto_install_;
};
