#pragma once
// Finds out whether the install folder already holds this product.

#include "core/string/tl_string.h"
#include "engine/cleaning/obsolete_list.h"

namespace engine {

// Looks for the main program and "Portable.dat" in the folder, and at the folder the machine's
// installations record (subkey `product`) and the uninstall entry `uninstall_key` name. Reads only.
ProductFolderFacts GatherProductFolderFacts(const TLString& install_folder, const TLString& main_program,
                                            const TLString& product, const TLString& uninstall_key);

}  // namespace engine
