#include "wizard/rules/setup_type_rules.h"

namespace pagerules {

bool SetupTypeWantsSkip(InstallSession& session) {
    if (session.AutoInstall) return true;
    if (session.Upgrade) {
        session.ExpressMode = true;
        return true;
    }
    return session.Silent;
}

std::optional<int> LeaveSetupType(InstallSession& session, int selected_choice, bool auto_install_ticked) {
    session.PortableMode = false;
    session.ExpressMode = SetupTypeWantsSkip(session);
    if (session.ExpressMode) return std::nullopt;
    session.ExpressMode = selected_choice == kExpressChoice;
    return auto_install_ticked ? 1 : 0;
}

bool CustomSetupTypeWantsSkip(const InstallSession& session, bool custom_offered) {
    return !custom_offered || session.Silent || session.ExpressMode;
}

void LeaveCustomSetupType(InstallSession& session, bool custom_offered, int selected_choice) {
    if (CustomSetupTypeWantsSkip(session, custom_offered)) return;
    session.PortableMode = selected_choice == kPortableChoice;
}

}  // namespace pagerules
