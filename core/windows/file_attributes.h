#pragma once
// What is at a path: file, folder or nothing. Paths of any length (long ones go to Windows with the
// "\\?\" prefix).

#include <windows.h>

#include "core/string/tl_string.h"

namespace tlwin {

// The path as Windows must be given it: long ones with the "\\?\" prefix.
TLString ForWindows(const TLString& path);

// INVALID_FILE_ATTRIBUTES when nothing is there.
DWORD FileAttributes(const TLString& path);
// An existing entry that is not a folder.
bool FileExists(const TLString& path);
// An existing folder; a trailing backslash does not matter ("C:\" is the drive's root).
bool FolderExists(const TLString& path);

}  // namespace tlwin
