#pragma once
// Windows' own words for an error code, in the user's language.

#include <windows.h>

#include "core/string/tl_string.h"

namespace tlwin {

// The system's message for `error`, without its line end; "Error <n>" when Windows has none.
TLString SystemMessage(DWORD error);

}  // namespace tlwin
