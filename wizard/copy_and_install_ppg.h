#pragma once
// CCopyAndInstallPpg: runs the installation and moves on by itself when it is done.

#include "wizard/wizard_property_page.h"

class CCopyAndInstallPpg : public CWizardPropertyPage {
public:
    explicit CCopyAndInstallPpg(CInstallWizard& wizard)
        : CWizardPropertyPage(wizard, wizard_rules::Page::kCopyAndInstall) {}
    bool WantsSkip() override;
    bool IsNextEnabled() override { return next_enabled_; }
    bool IsCancelEnabled() override { return cancel_enabled_; }

protected:
    void CreateControls() override;
    void OnTimer(UINT_PTR id) override;

private:
    // With no steps to run, the page is done at once and moves on as it does after its last step.
    static constexpr UINT_PTR kDoneTimer = 5;
    bool next_enabled_ = false;
    bool cancel_enabled_ = false;
};
