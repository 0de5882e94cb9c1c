#include "wizard/select_path_ppg.h"

#include "core/tools/tools.h"
#include "wizard/install_wizard.h"
#include "wizard/rules/skip_rules.h"

bool CSelectPathPpg::WantsSkip() { return wizard_rules::SelectPathWantsSkip(session()); }

void CSelectPathPpg::CreateControls() {
    tools::Log(u"CSelectPathPpg", u"The destination folder is not built yet: no folder is proposed, checked or stored");
}
