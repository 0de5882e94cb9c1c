#include "core/windows/full_path.h"

#include <windows.h>

#include <string>

namespace tlwin {

TLString FullPath(const TLString& path) {
    std::u16string full(MAX_PATH, u'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(full.size());
        const DWORD length = GetFullPathNameW(path.wc(), size, reinterpret_cast<wchar_t*>(full.data()), nullptr);
        if (length == 0) return path;
        // Too small a buffer is answered with the size needed, terminating zero included.
        if (length < size) return TLString(std::u16string_view(full.data(), length));
        full.resize(length);
    }
}

}  // namespace tlwin
