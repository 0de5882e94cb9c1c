#pragma once
// "/FinishInstall": what the installer left for the next start, carried out at the user's log-on.
// The list lies in the product's settings section "Installer\Finalize": staged files to put in
// place ("Install File (n)"), files to delete ("Delete File (n)") and COM servers to register
// ("Register File (n)"). Every entry is tried once, one failing entry never stops the others, and
// the section is emptied afterwards, so a second run finds nothing to do.

#include <functional>

#include "core/string/tl_string.h"

// Carries out and empties the list; `log` receives one line per entry that could not be done.
void FinishInstall(const std::function<void(const TLString&)>& log);
