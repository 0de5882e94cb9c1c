#pragma once
// The file a module was loaded from, of any length.

#include <windows.h>

#include "core/string/tl_string.h"

namespace tlwin {

// The full path of the module (the running program when null); empty when Windows cannot tell.
TLString ModulePath(HMODULE module = nullptr);
// The module's folder, with a trailing backslash.
TLString ModuleFolder(HMODULE module = nullptr);

}  // namespace tlwin
