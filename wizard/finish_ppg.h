#pragma once
// CFinishPpg: the last page: the outcome, and a restart or the installed program to run. Reaching
// it prepares the finalization (also when it passes over itself); leaving it carries out the choice.

#include "engine/finalize/finalize_plan.h"
#include "engine/finalize/finish_context.h"
#include "toolkit/controls/tl_check_box.h"
#include "toolkit/controls/tl_label.h"
#include "wizard/rules/finish_rules.h"
#include "wizard/wizard_property_page.h"

class CFinishPpg : public CWizardPropertyPage {
public:
    explicit CFinishPpg(CInstallWizard& wizard) : CWizardPropertyPage(wizard, wizard_rules::Page::kFinish) {}
    bool WantsSkip() override;
    void InitPage() override;
    bool OnLeaveNext() override;
    // False when the user declined the restart: the wizard stays on the page.
    bool ApplyPage() override;

protected:
    void CreateControls() override;

private:
    engine::FinishContext context_;
    engine::FinishDecision decision_;
    wizard_rules::FinishCheckBox check_box_kind_ = wizard_rules::FinishCheckBox::kNone;
    TLLabel status_;
    TLCheckBox check_box_;
};
