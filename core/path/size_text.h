#pragma once
// Byte counts as people read them ("500 bytes", "1.5 KB", "120 MB").

#include <cstdint>

#include "core/string/tl_string.h"

namespace tlpath {

TLString SizeText(int64_t bytes);

}  // namespace tlpath
