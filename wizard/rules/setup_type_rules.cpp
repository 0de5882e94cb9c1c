#include "wizard/rules/setup_type_rules.h"

#include "wizard/rules/skip_rules.h"

namespace wizard_rules {

std::optional<int> LeaveSetupType(InstallSession& session, int selected_choice, bool auto_install_ticked) {
    session.PortableMode = false;
    session.ExpressMode = SetupTypeWantsSkip(session);
    if (session.ExpressMode) return std::nullopt;
    session.ExpressMode = selected_choice == kExpressChoice;
    return auto_install_ticked ? 1 : 0;
}

void LeaveCustomSetupType(InstallSession& session, bool custom_offered, int selected_choice) {
    if (SetupTypeCustomWantsSkip(session, custom_offered)) return;
    session.PortableMode = selected_choice == kPortableChoice;
}

}  // namespace wizard_rules
