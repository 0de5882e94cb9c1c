#pragma once
// Where the product keeps its settings: HKEY_CURRENT_USER "Software\C. Orvane\Tonehall 27\", one key
// per major version, each settings section a key below it. Named here once, from the product's name
// and major version.

#include "core/string/tl_string.h"

namespace tools {

inline constexpr char16_t kProductName[] = u"Tonehall";
inline constexpr int kProductMajorVersion = 27;

// With a trailing backslash.
inline TLString ProductSettingsKey() {
    return TLString::Format(u"Software\\C. Orvane\\%s %d\\", TLString(kProductName), kProductMajorVersion);
}

}  // namespace tools
