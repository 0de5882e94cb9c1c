#pragma once
// CShortcutsPpg: the Start menu, desktop and Quick Launch shortcuts. It proposes them from what is
// installed already and makes the chosen ones when left, also when it passes over itself.

#include "toolkit/controls/tl_check_box.h"
#include "toolkit/controls/tl_label.h"
#include "wizard/rules/shortcut_rules.h"
#include "wizard/wizard_property_page.h"

class CShortcutsPpg : public CWizardPropertyPage {
public:
    explicit CShortcutsPpg(CInstallWizard& wizard) : CWizardPropertyPage(wizard, wizard_rules::Page::kShortcuts) {}
    bool WantsSkip() override;
    void InitPage() override;
    bool OnLeaveNext() override;
    bool ApplyPage() override;

protected:
    void CreateControls() override;

private:
    wizard_rules::ShortcutChoices choices_;
    TLLabel label_;
    TLCheckBox start_menu_;
    TLCheckBox desktop_;
    TLCheckBox quick_launch_;
};
