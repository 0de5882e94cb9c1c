#pragma once
// The file changes of an install, each noted in the journal before it is made so that it can be
// undone. Without a journal (a copy made outside an install) they act directly.

#include <windows.h>

#include "core/string/tl_string.h"
#include "engine/journal/journal.h"

namespace journal {

// Makes the folder and every missing one above it, noting each one made.
bool MakeFolders(CJournal* journal, const TLString& folder);

// Copies `source` over `destination`. An existing destination is first renamed aside (on the same
// volume), so that the earlier file comes back on rollback; when the copy fails the destination is
// put back as it was at once. Returns ERROR_SUCCESS or the Windows error of the step that failed: a
// destination that is in use refuses the rename with a sharing or lock violation.
DWORD PlaceFile(CJournal* journal, const TLString& source, const TLString& destination);

// Copies the folder tree into `destination` (made when missing) by PlaceFile, file by file; links are
// passed over. A destination inside the source is refused. False when something was not copied.
bool CopyTree(CJournal* journal, const TLString& source, const TLString& destination);

// Deletes a file or a folder tree; with a journal by renaming it aside, to be removed once the install
// is done. Nothing there counts as deleted.
bool RemoveFile(CJournal* journal, const TLString& path);
bool RemoveTree(CJournal* journal, const TLString& folder);

}  // namespace journal
