#pragma once
// The running-copy check: a copy of the product that runs while its files are replaced would keep
// them in use, so it is closed first, with the user's consent unless the run is silent.

#include "app/system_checks/system_check_host.h"

namespace syschecks {

// How long a product closed through its window is given to go.
inline constexpr int64_t kCloseWaitMilliseconds = 5000;

// Whether the product closes through WM_CLOSE to its window rather than by the tools library's own
// means: product string 0 contains "Gantry" in any letter case.
bool ClosesThroughItsWindow(const TLString& closing_name);

// True when no copy runs any more. Asks (unless `silent`), closes, and when that fails asks the
// user to close it; false after a No or when the copy outlives that last request.
bool CheckRunningCopy(SystemCheckHost& host, bool silent, const ProductNames& names);

}  // namespace syschecks
