#include "core/windows/module_path.h"

#include <string>

namespace tlwin {

TLString ModulePath(HMODULE module) {
    std::u16string path(MAX_PATH, u'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(path.size());
        const DWORD length = GetModuleFileNameW(module, reinterpret_cast<wchar_t*>(path.data()), size);
        if (length == 0) return TLString();
        // A path that fills the buffer may have been cut short.
        if (length < size) return TLString(std::u16string_view(path.data(), length));
        path.resize(path.size() * 2);
    }
}

TLString ModuleFolder(HMODULE module) {
    const TLString path = ModulePath(module);
    return path.Left(path.ReverseFind(u'\\') + 1);
}

}  // namespace tlwin
