#include "wizard/file_association_ppg.h"

#include "core/tools/tools.h"
#include "wizard/install_wizard.h"
#include "wizard/rules/skip_rules.h"

bool CFileAssociationPpg::WantsSkip() { return wizard_rules::FileAssociationWantsSkip(session()); }

void CFileAssociationPpg::CreateControls() {
    tools::Log(u"CFileAssociationPpg",
               u"The file associations are not built yet: none are offered, stored or registered");
}
