#include "wizard/rules/license_rules.h"

#include "core/tools/tools.h"
#include "wizard/rules/destination_rules.h"

namespace wizard_rules {

WelcomeStart ChooseWelcomeStart(const InstallSession& session, int64_t run_auto_install) {
    if (session.Silent || session.Upgrade) return WelcomeStart::kAcceptAtOnce;
    return run_auto_install != 0 ? WelcomeStart::kCountDown : WelcomeStart::kWaitForUser;
}

TLString CountdownCaption(const TLString& product_name, int seconds) {
    return TLString::Format(tools::Translate(u"%s - Install Wizard (Auto Install in %d seconds)"_tl).view(),
                            product_name, seconds);
}

void DetectExistingInstallations(InstallSession& session, const FindEntries& find_entries,
                                 const ReadInstallLocation& read_install_location) {
    if (session.PortableMode) {
        session.UninstallKeyName.Clear();
        return;
    }
    const UninstallEntries entries = find_entries(false);
    session.UninstallKeyName = entries.entry_name;
    if (entries.found)
        session.ExistingInstallationFound = true;
    else if (find_entries(true).found)
        session.Is32BitInstallationFound = true;

    for (const TLString& entry : entries.other_entries) {
        // An entry without a location names no folder; one backslash alone would stand for none.
        const TLString folder = WithOneTrailingBackslash(read_install_location(entry));
        if (!folder.empty()) session.PreexistingProgramFolders.Add(folder);
    }
}

}  // namespace wizard_rules
