#include "wizard/shortcuts_ppg.h"

#include "core/tools/tools.h"
#include "wizard/install_wizard.h"
#include "wizard/rules/skip_rules.h"

bool CShortcutsPpg::WantsSkip() { return wizard_rules::ShortcutsWantsSkip(session()); }

void CShortcutsPpg::CreateControls() {
    tools::Log(u"CShortcutsPpg", u"The shortcuts are not built yet: none are proposed or created");
}
