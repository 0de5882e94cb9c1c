#pragma once
// Whether a DLL file exports a function, read from the file without loading the DLL.

#include <string_view>

#include "core/image/pe_exports.h"
#include "core/string/tl_string.h"

namespace tlwin {

// kNotReadable also when the file cannot be opened.
tlpe::ExportLookup FindFileExport(const TLString& path, std::string_view name);

}  // namespace tlwin
