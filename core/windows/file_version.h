#pragma once
// A file's version from its version resource.

#include <cstdint>

#include "core/string/tl_string.h"

namespace tlwin {

// The four parts in one number, most significant first, so that later versions compare greater.
// 0 for a missing file or one without a version resource.
uint64_t FileVersion(const TLString& path);
// The version as "%d.%d.%d.%d"; empty when the file has no readable version.
TLString FileVersionText(const TLString& path);
TLString VersionText(uint64_t version);
// False when the system's version functions cannot be loaded: no version can be read at all.
bool VersionFunctionsAvailable();

}  // namespace tlwin
