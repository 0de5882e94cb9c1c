#pragma once
// The space left on a folder's volume.

#include <cstdint>

#include "core/string/tl_string.h"

namespace tlwin {

// GetDiskFreeSpaceExW: the bytes the calling user may still write on the volume of `folder` (an
// existing folder, of any length). False when Windows cannot tell; the last error says why.
bool FreeBytesAvailable(const TLString& folder, uint64_t& bytes);

}  // namespace tlwin
