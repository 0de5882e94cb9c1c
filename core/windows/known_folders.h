#pragma once
// The folders Windows knows by name: the Windows and system folders, the temporary folder, the fonts
// folder and the user's own folders. Any length is read whole: the buffers grow to what Windows says
// it needs.

#include "core/string/tl_string.h"

namespace tlwin {

enum class KnownFolder {
    kWindows,         // GetWindowsDirectoryW
    kSystem,          // GetSystemDirectoryW: "system32" below the Windows folder
    kSystemWow64,     // GetSystemWow64DirectoryW: the 32-bit system folder of 64-bit Windows
    kTemporary,       // GetTempPathW
    kFonts,           // the shell's fonts folder
    kRoamingAppData,  // the user's roaming application data
    kMusic,           // the user's music folder
};

// The folder with exactly one trailing backslash; empty when Windows cannot tell.
TLString KnownFolderPath(KnownFolder folder);

}  // namespace tlwin
