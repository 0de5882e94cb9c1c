#pragma once
// CLicensePpg: the first page: welcome, the licence agreement, accepted with Next ("Accept").

#include "wizard/wizard_property_page.h"

class CLicensePpg : public CWizardPropertyPage {
public:
    explicit CLicensePpg(CInstallWizard& wizard) : CWizardPropertyPage(wizard, wizard_rules::Page::kLicense) {}
    bool WantsSkip() override;

protected:
    void CreateControls() override;
    void OnTimer(UINT_PTR id) override;

private:
    // Fires once, right after the page is first on screen.
    static constexpr UINT_PTR kAfterShownTimer = 1;
};
