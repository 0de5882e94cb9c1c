#pragma once
// The next start of Windows as the tests play it: Wine's restart, which carries out the delayed file
// moves, then the log-on's RunOnce command.

#include "core/string/tl_string.h"

namespace tltest {

// "wineboot -r"; false when it did not end in time.
bool RestartWine();

// Runs a RunOnce command of the form "\"program\" arguments" as the log-on would, and waits for it.
bool RunRunOnceCommand(const TLString& command);

}  // namespace tltest
