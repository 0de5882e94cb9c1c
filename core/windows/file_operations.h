#pragma once
// Copying, moving and deleting single files: paths of any length, and the fault seam asked first so
// that tests can make them fail as a full disk or a denied access would.

#include <windows.h>

#include "core/string/tl_string.h"

namespace tlwin {

// CopyFileW's work (CopyFileInBlocks); with `overwrite` an existing target is replaced. The last error
// tells why it failed.
bool CopyFileTo(const TLString& source, const TLString& target, bool overwrite);
// MoveFileW: renames within a volume, copies and deletes across volumes.
bool MoveFileTo(const TLString& source, const TLString& target);
// DeleteFileW.
bool DeleteFileAt(const TLString& path);
// Renames `source` over `target` on the same volume, written through before it returns. It takes no
// planted fault: undoing an install must work while a test's fault is still in place.
bool MoveFileOver(const TLString& source, const TLString& target);
// SetFileAttributesW.
bool SetAttributesAt(const TLString& path, DWORD attributes);
// MoveFileExW at the next start of Windows, replacing what is at `target` then; an empty target
// deletes `source` then. Needs the rights to write the machine's pending renames.
bool MoveFileOnRestart(const TLString& source, const TLString& target);

}  // namespace tlwin
