#pragma once
// Whether a path can name a file: no name part may hold a character that Windows refuses in names.

#include "core/string/tl_string.h"

namespace tlpath {

// False when a name part contains one of : / * ? " < > | (the colon of a drive, the backslash
// separators and a "\\?\" prefix excepted).
bool CheckName(const TLString& path);

}  // namespace tlpath
