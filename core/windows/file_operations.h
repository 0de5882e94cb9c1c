#pragma once
// Copying, moving and deleting single files: paths of any length, and the fault seam asked first so
// that tests can make them fail as a full disk or a denied access would.

#include <windows.h>

#include "core/string/tl_string.h"

namespace tlwin {

// CopyFileW; with `overwrite` an existing target is replaced. The last error tells why it failed.
bool CopyFileTo(const TLString& source, const TLString& target, bool overwrite);
// MoveFileW: renames within a volume, copies and deletes across volumes.
bool MoveFileTo(const TLString& source, const TLString& target);
// DeleteFileW.
bool DeleteFileAt(const TLString& path);

}  // namespace tlwin
