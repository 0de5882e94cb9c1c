#pragma once
// CFileAssociationPpg: the media file types the installed product opens.

#include "wizard/wizard_property_page.h"

class CFileAssociationPpg : public CWizardPropertyPage {
public:
    explicit CFileAssociationPpg(CInstallWizard& wizard)
        : CWizardPropertyPage(wizard, wizard_rules::Page::kFileAssociation) {}
    bool WantsSkip() override;

protected:
    void CreateControls() override;
};
