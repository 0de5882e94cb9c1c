#pragma once
// Removes what an earlier installation left for its next start, before this one copies anything:
// the staging folder "Setup\" of the destination and the values of the "Installer\Finalize"
// settings section. Records of two runs thus never mix.

#include "core/string/tl_string.h"

namespace engine {

void ClearEarlierFinalization(const TLString& destination_folder);

}  // namespace engine
