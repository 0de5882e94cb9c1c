#include "core/windows/full_path.h"

#include <windows.h>

#include "core/windows/growing_buffer.h"

namespace tlwin {

TLString FullPath(const TLString& path) {
    return ReadGrowing(
               [&](wchar_t* buffer, DWORD capacity) { return GetFullPathNameW(path.wc(), capacity, buffer, nullptr); })
        .value_or(path);
}

}  // namespace tlwin
