#include "wizard/install_wizard.h"

#include "core/tools/message_box.h"
#include "core/tools/tools.h"
#include "toolkit/tl_art.h"
#include "wizard/rules/cancel_rules.h"

CInstallWizard::CInstallWizard(engine::InstallContext& context)
    : context_(context),
      license_(*this),
      setup_type_(*this),
      setup_type_custom_(*this),
      select_path_(*this),
      copy_and_install_(*this),
      file_association_(*this),
      shortcuts_(*this),
      finish_(*this) {
    AddPage(&license_);
    AddPage(&setup_type_);
    AddPage(&setup_type_custom_);
    AddPage(&select_path_);
    AddPage(&copy_and_install_);
    // The product says whether it asks for file associations at all.
    if (tools::ProductFeature(176)) AddPage(&file_association_);
    AddPage(&shortcuts_);
    AddPage(&finish_);
}

// The page windows go before the pages themselves, while the wizard is still whole.
CInstallWizard::~CInstallWizard() {
    if (owned_prompts_) owned_prompts_->SetOwner(nullptr);
    if (exists()) DestroyWindow(hwnd());
}

void CInstallWizard::OnCreated() {
    if (owned_prompts_) owned_prompts_->SetOwner(hwnd());
    caption_ = tools::ProductItem(1) + u" - " + tools::Translate(u"Install Wizard");
    SetWindowTextW(hwnd(), caption_.wc());
    const TLString icon = toolkit::FindArt(u"Application.ico");
    if (!icon.empty()) SetIconFile(icon);
}

void CInstallWizard::OnCloseRequest() {
    const int index = CurrentIndex();
    const wizard_rules::CloseRequestMessage message =
        wizard_rules::CloseRequestMessageFor(index, tools::ProductItem(1));
    const int answer =
        tools::ShowMessage(hwnd(), message.title, message.text,
                           message.asks_yes_no ? tools::IMessageService::kYesNo : tools::IMessageService::kOk);
    if (wizard_rules::CloseRequestCancels(index, answer == tools::IMessageService::kResultYes)) Cancel();
}
