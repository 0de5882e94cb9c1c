#include "wizard/rules/skip_rules.h"

namespace wizard_rules {

bool SetupTypeWantsSkip(InstallSession& session) {
    if (session.AutoInstall) return true;
    if (session.Upgrade) {
        session.ExpressMode = true;
        return true;
    }
    return session.Silent;
}

bool SetupTypeCustomWantsSkip(const InstallSession& session, bool custom_setup_offered) {
    return !custom_setup_offered || session.Silent || session.ExpressMode;
}

bool SelectPathWantsSkip(const InstallSession& session) {
    return session.Silent || (session.ExistingInstallationFound && !session.PortableMode) || session.ExpressMode;
}

bool FileAssociationWantsSkip(const InstallSession& session) {
    return session.Silent || (session.ExpressMode && session.ExistingInstallationFound) || session.PortableMode;
}

bool ShortcutsWantsSkip(const InstallSession& session) {
    return session.Silent || session.ExpressMode || session.PortableMode;
}

bool FinishWantsSkip(const InstallSession& session, engine::FinishAction action) {
    return session.Silent || (session.ExpressMode && action == engine::kFinishRunProgram);
}

}  // namespace wizard_rules
