#pragma once
// Pictures for the toolkit, decoded by the product's image library, which is loaded on first use.

#include <windows.h>

#include "core/string/tl_string.h"

namespace toolkit {

// A 32-bit premultiplied bitmap of the picture, owned by the caller; null when the image library is
// missing or the file cannot be decoded.
HBITMAP DecodeImageFile(const TLString& path, int* width, int* height);

}  // namespace toolkit
