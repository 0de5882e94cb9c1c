#pragma once
// Numbered variants of a path, for finding a name that is not yet taken.

#include "core/string/tl_string.h"

namespace tlpath {

// The next variant of the path: a number in brackets before the extension, counting up from 2
// ("a.txt", "a (2).txt", "a (3).txt"). A trailing backslash (a folder) is kept.
TLString NextNumberedName(const TLString& path);

}  // namespace tlpath
