#pragma once
// Announcing a font file to the system, so that programs can use it before the next start.

#include "core/string/tl_string.h"

namespace tlwin {

// AddFontResourceW; false when Windows took no font from the file (the last error may say why).
bool AddFont(const TLString& path);

}  // namespace tlwin
