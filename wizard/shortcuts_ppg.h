#pragma once
// CShortcutsPpg: the Start menu, desktop and Quick Launch shortcuts.

#include "wizard/wizard_property_page.h"

class CShortcutsPpg : public CWizardPropertyPage {
public:
    explicit CShortcutsPpg(CInstallWizard& wizard) : CWizardPropertyPage(wizard, wizard_rules::Page::kShortcuts) {}
    bool WantsSkip() override;

protected:
    void CreateControls() override;
};
