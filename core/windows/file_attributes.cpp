#include "core/windows/file_attributes.h"

#include "core/path/path_parts.h"

namespace tlwin {

TLString ForWindows(const TLString& path) { return tlpath::WithLongPathPrefix(path); }

DWORD FileAttributes(const TLString& path) { return GetFileAttributesW(ForWindows(path).wc()); }

bool FileExists(const TLString& path) {
    const DWORD attributes = FileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const TLString& path) {
    TLString folder = path;
    // "C:\" keeps its backslash; "C:" alone would name the drive's current folder.
    if (folder.length() > 3) folder.RemoveTrailingBackslashes();
    const DWORD attributes = FileAttributes(folder);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace tlwin
