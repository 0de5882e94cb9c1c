#pragma once
// A file's version from its version resource. A missing file, or one without a version resource,
// has version 0.

#include <cstdint>

#include "core/string/tl_string.h"

namespace tlfs {

// The four parts in one number, most significant first, so that later versions compare greater.
uint64_t FileVersion(const TLString& path);
// The version as "%d.%d.%d.%d" ("0.0.0.0" for version 0).
TLString FileVersionText(const TLString& path);
TLString VersionText(uint64_t version);

}  // namespace tlfs
