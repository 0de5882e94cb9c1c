#pragma once
// A path made absolute against the current folder, with "." and ".." resolved.

#include "core/string/tl_string.h"

namespace tlwin {

// GetFullPathNameW of any length; the path unchanged when Windows cannot resolve it.
TLString FullPath(const TLString& path);

}  // namespace tlwin
