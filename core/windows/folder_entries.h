#pragma once
// The entries of a folder, and what their attributes say.

#include <windows.h>

#include "core/string/tl_string.h"
#include "core/windows/file_attributes.h"

namespace tlwin {

inline bool IsLink(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}
inline bool IsFolder(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Calls `visit(name, attributes)` for every entry of the folder but "." and ".."; stops early when
// `visit` returns false and then returns false itself.
template <typename Visit>
bool ForEachEntry(const TLString& folder, Visit visit) {
    TLString pattern = folder;
    pattern.EnsureTrailingBackslash();
    pattern += u"*";
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(ForWindows(pattern).wc(), &data);
    if (find == INVALID_HANDLE_VALUE) return true;
    bool completed = true;
    do {
        const TLString name(data.cFileName);
        if (name == u"." || name == u"..") continue;
        if (!visit(name, data.dwFileAttributes)) {
            completed = false;
            break;
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return completed;
}

}  // namespace tlwin
