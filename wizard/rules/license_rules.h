#pragma once
// What the welcome page decides: how it continues once it is on screen, the automatic install's
// countdown, and what it learns about installations already on the machine.

#include <cstdint>
#include <functional>

#include "core/session/install_session.h"
#include "core/string/tl_string.h"
#include "engine/uninstall/uninstall_entries.h"

namespace wizard_rules {

inline constexpr char16_t kLicenseLabel[] = u"Please read the following license agreement carefully.";
// The agreement lies beside the installer.
inline constexpr char16_t kLicenseFileName[] = u"license.txt";

// The remembered choice ("Installer" settings) that makes the next run count down and install.
inline constexpr char16_t kRunAutoInstallValue[] = u"Run Auto Install";
inline constexpr int kAutoInstallSeconds = 30;

enum class WelcomeStart {
    kAcceptAtOnce,  // an updater's or a script's run: nobody reads the agreement
    kCountDown,     // the user asked last time to install without questions
    kWaitForUser,
};

// `run_auto_install` is the remembered value (0 when it or the settings are missing).
WelcomeStart ChooseWelcomeStart(const InstallSession& session, int64_t run_auto_install);

// The seconds left as the caption shows them: the first tick shows the full wait.
class AutoInstallCountdown {
public:
    // The value the caption shows for this tick; every tick takes one second off.
    int Tick() { return remaining_--; }

private:
    int remaining_ = kAutoInstallSeconds;
};

// "<product> - Install Wizard (Auto Install in <seconds> seconds)", translated before the values go in.
TLString CountdownCaption(const TLString& product_name, int seconds);

// Reads the uninstall entries of one registry view (true: the 32-bit view).
using FindEntries = std::function<UninstallEntries(bool wow64_view)>;
// Reads "InstallLocation" of the named uninstall entry; empty when it is missing.
using ReadInstallLocation = std::function<TLString(const TLString& entry_name)>;

// Sets the uninstall entry name, the existing and 32-bit installation flags and the family's
// pre-existing program folders. A portable install leaves the machine's entries alone.
void DetectExistingInstallations(InstallSession& session, const FindEntries& find_entries,
                                 const ReadInstallLocation& read_install_location);

}  // namespace wizard_rules
