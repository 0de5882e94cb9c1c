#include "wizard/select_path_ppg.h"

#include "core/tools/tools.h"
#include "wizard/control_ids.h"
#include "wizard/destination_facts.h"
#include "wizard/install_wizard.h"
#include "wizard/rules/destination_rules.h"
#include "wizard/rules/skip_rules.h"

namespace {

constexpr std::u16string_view kName = u"CSelectPathPpg";

}  // namespace

bool CSelectPathPpg::WantsSkip() { return wizard_rules::SelectPathWantsSkip(session()); }

// A folder named on the command line stands where the proposal would, as if typed into the field:
// leaving the page checks it by the same rules.
void CSelectPathPpg::InitPage() {
    if (!session().DestinationSwitch.empty()) {
        session().SetDestinationFolder(session().DestinationSwitch);
        tools::LogFormat(kName, u"Destination folder from the command line: %s", session().DestinationFolder());
        return;
    }
    session().SetDestinationFolder(wizard_rules::ProposeDestination(session(), destination::GatherProposalFacts()));
    tools::LogFormat(kName, u"Proposed destination folder: %s", session().DestinationFolder());
}

void CSelectPathPpg::CreateControls() {
    label_.Create(*this, wizard_ids::kInstallToLabel, {0, 0, 500, 20}, tools::Translate(wizard_rules::kInstallToLabel));
    folder_.Create(*this, wizard_ids::kFolderField, wizard_ids::kChangeButton, {0, 24, 500, 50},
                   session().DestinationFolder());
}

// A page shown again, or shown because its folder was refused while it passed over itself, shows
// the folder as it is stored now.
bool CSelectPathPpg::ShowOnActivate() {
    if (!CWizardPropertyPage::ShowOnActivate()) return false;
    folder_.SetFolder(session().DestinationFolder());
    return true;
}

// The folder comes from the field whenever the page is on screen, also in a run where the page
// would pass over itself but was shown because its folder was refused: the person corrects it there.
bool CSelectPathPpg::OnLeaveNext() {
    session().SetDestinationFolder(folder_.Folder());
    return ApplyPage();
}

bool CSelectPathPpg::ApplyPage() {
    // The checks and everything after them see the folder Windows will use, not its spelling; a
    // relative folder is refused as it is, before Windows joins it to the current folder.
    if (!wizard_rules::IsRelativeFolder(session().DestinationFolder()))
        session().SetDestinationFolder(destination::CanonicalFolder(session().DestinationFolder()));
    const TLString& folder = session().DestinationFolder();
    const wizard_rules::DestinationProblem problem =
        wizard_rules::CheckDestination(folder, destination::GatherDestinationFacts(session()));
    if (problem == wizard_rules::DestinationProblem::kNone) {
        tools::LogFormat(kName, u"Destination folder: %s", folder);
        return true;
    }
    const wizard_rules::DestinationMessage message = wizard_rules::MessageFor(problem, tools::ProductItem);
    tools::LogFormat(kName, u"Destination folder refused (%s): %s", message.title, folder);
    folder_.SetFolder(folder);
    tools::Prompt refusal;
    refusal.title = message.title;
    refusal.text = message.text;
    context().prompts.Ask(refusal);
    // A Silent run that was given its folder, or that nobody watches, has no one to correct it on the page.
    if (wizard_rules::RefusalEndsRun(session())) {
        context().outcome.Fail(
            TLString::Format(u"the destination folder \"%s\" was refused: %s", folder, message.title));
        wizard().CloseWithResult(TLWizardPopupWnd::kCancelled);
    }
    return false;
}
