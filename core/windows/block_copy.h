#pragma once
// A file copy with the few system calls it needs: under Wine CopyFileW moves a file in 64 KB pieces,
// looks the destination up more than once and asks the wineserver for more than it keeps, which for a
// program tree of thousands of files costs more than the bytes themselves.

#include <windows.h>

#include "core/string/tl_string.h"

namespace tlwin {

// Copies `source` to `target` as CopyFileW does: the contents, the attributes and the time of the last
// write; with `overwrite` an existing target is replaced, else it fails with ERROR_FILE_EXISTS. A
// copy that fails half way leaves no target behind. The last error tells why it failed.
bool CopyFileInBlocks(const TLString& source, const TLString& target, bool overwrite);

}  // namespace tlwin
