#pragma once
// What a file is, judged by its name alone. Extensions are compared as the name's final extension,
// without regard to letter case: "MSVCP140.DLL" is a DLL, "a.dll.txt" is not.

#include <string_view>

#include "core/string/tl_string.h"

namespace engine {

// True when the path's last name ends in `extension` (given with its dot, ".dll").
bool HasExtension(const TLString& path, std::u16string_view extension);

// Files whose version resource decides whether they replace an installed copy.
bool IsVersionedFile(const TLString& path);
// COM servers: DLLs, ActiveX controls and DirectShow filters.
bool IsRegistrableFile(const TLString& path);
// The product's shell extension, which the plug-in step registers itself.
bool IsShellExtension(const TLString& path);
// Player input plug-ins are named "in_..." (any letter case).
bool IsInputPlugin(const TLString& path);
// A file in the Windows fonts folder: a font already loaded needs no restart to be replaced.
bool IsInFontsFolder(const TLString& path);
// The media server's own program, which must be told to stop before it is replaced.
bool IsMediaServerProgram(const TLString& path);

}  // namespace engine
