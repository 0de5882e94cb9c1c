#pragma once
// Names taken from outside (archive entries, folder names in a package) that must stay below the
// folder they are placed in.

#include <vector>

#include "core/string/tl_string.h"

namespace tlpath {

// Splits a relative path at "\" and "/" into its names. False, with `names` cleared, when any name
// could lead out of the folder or alias another name once Windows has read it: a drive, a root or a
// stream (any ":" or a leading separator), "." or "..", a name ending in a dot or a space (Windows
// drops those, so "..." would open ".."), a device name (CON, NUL, COM1, LPT1... with or without an
// extension), a control character or one of * ? " < > |. Empty names between separators are
// skipped; a path with no name at all is refused.
bool SplitRelativePath(std::u16string_view path, std::vector<TLString>& names);

}  // namespace tlpath
