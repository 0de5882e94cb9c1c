#pragma once
// Copies a whole folder of the distribution into place, file by file, with progress in bytes.

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"
#include "engine/copy/copy_mode.h"
#include "engine/copy/file_copier.h"
#include "engine/copy/install_progress.h"

namespace engine {

// Every file below `source` goes to the same place below `destination` (both end in a backslash),
// as planned from what both folders hold. The bar runs from 0 to 100 by the bytes done; the window's
// messages are dispatched before each file. False when a file could not be put in place and the
// person chose Cancel.
bool CopyFolder(const TLString& source, const TLString& destination, CopyMode mode, IInstallProgress& progress,
                CFileCopier& copier, TLStringArray* register_list);

}  // namespace engine
