#pragma once
// CSelectPathPpg: the folder the product is installed to. It proposes one when the wizard first
// reaches it, and refuses folders that cannot hold the product, saying why.

#include "toolkit/controls/tl_folder_field.h"
#include "toolkit/controls/tl_label.h"
#include "wizard/wizard_property_page.h"

class CSelectPathPpg : public CWizardPropertyPage {
public:
    explicit CSelectPathPpg(CInstallWizard& wizard) : CWizardPropertyPage(wizard, wizard_rules::Page::kSelectPath) {}
    bool WantsSkip() override;
    void InitPage() override;
    bool ShowOnActivate() override;
    bool OnLeaveNext() override;
    bool ApplyPage() override;

protected:
    void CreateControls() override;

private:
    TLLabel label_;
    TLFolderField folder_;
};
