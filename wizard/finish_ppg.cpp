#include "wizard/finish_ppg.h"

#include "core/tools/tools.h"
#include "engine/finalize/finish.h"
#include "engine/finalize/prepare_finish.h"
#include "wizard/control_ids.h"
#include "wizard/install_wizard.h"
#include "wizard/rules/skip_rules.h"

namespace {

engine::FinishContext FinishContextOf(const engine::InstallContext& install) {
    const InstallSession& session = install.session;
    engine::FinishContext context;
    context.destination_folder = session.DestinationFolder();
    context.source_folder = install.source_folder;
    context.main_program_file_name = tools::MainProgramFileName();
    context.silent = session.Silent;
    context.upgrade = session.Upgrade;
    context.no_run = session.NoRun;
    context.replaced_installation =
        (session.ExistingInstallationFound || session.Is32BitInstallationFound) && !session.PortableMode;
    return context;
}

}  // namespace

bool CFinishPpg::WantsSkip() {
    return wizard_rules::FinishWantsSkip(session(), static_cast<engine::FinishAction>(decision_.action));
}

void CFinishPpg::InitPage() {
    context_ = FinishContextOf(context());
    decision_ = engine::PrepareFinish(context().pending, context_);
    tools::LogFormat(u"CFinishPpg::InitPage", u"Restart required: %d, finish action: %d", decision_.restart_required,
                     decision_.action);
    if (decision_.restart_required)
        context().outcome.RequireRestart(u"files in use are replaced when Windows starts again");
}

void CFinishPpg::CreateControls() {
    const wizard_rules::FinishContent content = wizard_rules::DescribeFinish(decision_, context_.no_run);
    status_.Create(*this, wizard_ids::kFinishStatus, {20, 24, 480, 64}, tools::Translate(content.status_text));
    check_box_kind_ = content.check_box;
    if (check_box_kind_ == wizard_rules::FinishCheckBox::kNone) return;
    const char16_t* label = check_box_kind_ == wizard_rules::FinishCheckBox::kRestart ? wizard_rules::kRestartCheckText
                                                                                      : wizard_rules::kRunCheckText;
    check_box_.Create(*this, wizard_ids::kFinishActionCheck, {20, 76, 480, 96}, tools::Translate(label),
                      content.ticked);
}

bool CFinishPpg::OnLeaveNext() {
    if (!WantsSkip())
        decision_.action =
            wizard_rules::ChosenFinishAction(check_box_kind_, check_box_.hwnd() && check_box_.IsChecked());
    return ApplyPage();
}

bool CFinishPpg::ApplyPage() { return engine::Finish(decision_.action, context_, context().prompts); }
