#pragma once
// Folders the shell names (CSIDL_PROFILE, CSIDL_PERSONAL, CSIDL_PROGRAM_FILES, ...).

#include "core/string/tl_string.h"

namespace tlwin {

// The folder as the shell names it for the current user, without creating it; empty when the shell
// has no such folder on this machine.
TLString ShellFolder(int csidl);

}  // namespace tlwin
