#pragma once
// CInstallWizard: the installer's wizard window. Its pages are its members, in the order they are
// shown; it adds the installer's caption and icon and its rules for closing the window.

#include "core/tools/message_service_prompts.h"
#include "engine/context/install_context.h"
#include "toolkit/wizard/tl_wizard_popup_wnd.h"
#include "wizard/copy_and_install_ppg.h"
#include "wizard/file_association_ppg.h"
#include "wizard/finish_ppg.h"
#include "wizard/license_ppg.h"
#include "wizard/select_path_ppg.h"
#include "wizard/setup_type_custom_ppg.h"
#include "wizard/setup_type_ppg.h"
#include "wizard/shortcuts_ppg.h"

class CInstallWizard : public TLWizardPopupWnd {
public:
    explicit CInstallWizard(engine::InstallContext& context);
    ~CInstallWizard() override;

    engine::InstallContext& context() const { return context_; }
    // The message boxes of these prompts belong to the wizard's window while it exists.
    void OwnMessageBoxes(tools::MessageServicePrompts& prompts) { owned_prompts_ = &prompts; }

protected:
    void OnCreated() override;
    // Asks before cancelling while nothing is installed; afterwards only says that it is too late.
    void OnCloseRequest() override;

private:
    // Before the pages, which take it when they are made.
    engine::InstallContext& context_;
    tools::MessageServicePrompts* owned_prompts_ = nullptr;
    TLString caption_;
    CLicensePpg license_;
    CSetupTypePpg setup_type_;
    CSetupTypeCustomPpg setup_type_custom_;
    CSelectPathPpg select_path_;
    CCopyAndInstallPpg copy_and_install_;
    CFileAssociationPpg file_association_;
    CShortcutsPpg shortcuts_;
    CFinishPpg finish_;
};
