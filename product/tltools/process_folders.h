#pragma once
// The folders the installer (or the product) put into its process information block, read from the
// shared memory "Corvane Process v27 (<process id>)".

#include "core/string/tl_string.h"

namespace tltools_dll {

// The program folder of the calling process's block; the library's own folder when the block
// names none. Always with a trailing backslash.
TLString ProgramFolder();
// The installed product's folder of the block; empty when it names none.
TLString InstallFolder();

}  // namespace tltools_dll
