#pragma once
// CLicensePpg: the first page: welcome, the licence agreement, accepted with Next ("Accept"). Once it
// is on screen it looks for installations already on the machine, and it accepts by itself in
// Silent and Upgrade runs or, when the user asked for it last time, after a countdown in the caption.

#include "toolkit/controls/tl_label.h"
#include "toolkit/controls/tl_text_view.h"
#include "wizard/rules/license_rules.h"
#include "wizard/wizard_property_page.h"

class CLicensePpg : public CWizardPropertyPage {
public:
    explicit CLicensePpg(CInstallWizard& wizard) : CWizardPropertyPage(wizard, wizard_rules::Page::kLicense) {}
    bool WantsSkip() override { return false; }
    bool OnLeaveNext() override;

protected:
    void CreateControls() override;
    void OnTimer(UINT_PTR id) override;

private:
    void StartCountdown();
    void StopCountdown();

    // Fires once, right after the page is first on screen.
    static constexpr UINT_PTR kAfterShownTimer = 1;
    // The end of the countdown, and each of its seconds.
    static constexpr UINT_PTR kCountdownEndTimer = 2;
    static constexpr UINT_PTR kCountdownTickTimer = 3;

    TLLabel label_;
    TLTextView agreement_;
    wizard_rules::AutoInstallCountdown countdown_;
    bool counting_down_ = false;
    TLString plain_caption_;
};
