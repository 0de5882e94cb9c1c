#include "engine/copy/file_kinds.h"

#include "core/path/path_parts.h"

namespace engine {

bool HasExtension(const TLString& path, std::u16string_view extension) {
    return tlpath::ExtensionOf(path).EqualsNoCase(extension);
}

bool IsVersionedFile(const TLString& path) {
    return HasExtension(path, u".dll") || HasExtension(path, u".exe") || HasExtension(path, u".ocx") ||
           HasExtension(path, u".ax");
}

bool IsRegistrableFile(const TLString& path) {
    return HasExtension(path, u".dll") || HasExtension(path, u".ocx") || HasExtension(path, u".ax");
}

bool IsShellExtension(const TLString& path) { return tlpath::NameOf(path).EndsWithNoCase(u"TLShellExt.dll"); }

bool IsInputPlugin(const TLString& path) { return tlpath::NameOf(path).StartsWithNoCase(u"in_"); }

bool IsInFontsFolder(const TLString& path) { return path.FindNoCase(u"Windows\\Fonts") != TLString::npos; }

bool IsMediaServerProgram(const TLString& path) { return tlpath::NameOf(path).EndsWithNoCase(u"GantryServer.exe"); }

}  // namespace engine
