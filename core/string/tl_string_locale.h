#pragma once
// The string library's tables as the runtime's current locale (setlocale) sees the first 256
// characters.

#include "core/string/tl_string_library.h"

namespace TLStringLibrary {

Tables TablesForCurrentLocale();

}  // namespace TLStringLibrary
