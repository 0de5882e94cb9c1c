#pragma once
// CFileAssociationPpg: the media file types the installed product opens. It lists the product's
// types in groups with check boxes, remembers the choice in the product's settings and has the
// installed package installer register it, also when it passes over itself.

#include "toolkit/controls/tl_list_ctrl.h"
#include "toolkit/controls/tl_push_button.h"
#include "wizard/rules/association_rules.h"
#include "wizard/wizard_property_page.h"

class CFileAssociationPpg : public CWizardPropertyPage {
public:
    explicit CFileAssociationPpg(CInstallWizard& wizard);
    bool WantsSkip() override;
    void InitPage() override;
    bool OnLeaveNext() override;
    bool ApplyPage() override;

protected:
    void CreateControls() override;
    void OnCommand(int id, int code) override;

private:
    void SelectDefault();

    wizard_rules::RememberedSelection selection_;
    shell::FileAssociationData data_;
    TLStringArray shown_;
    TLListCtrl list_;
    TLPushButton select_all_;
    TLPushButton unselect_all_;
    TLPushButton select_default_;
};
