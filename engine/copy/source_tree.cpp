#include "engine/copy/source_tree.h"

#include <windows.h>

#include "core/path/path_parts.h"

namespace engine {
namespace {

void ListFolder(const TLString& root, const TLString& relative_folder, SourceTree& tree) {
    std::vector<TLString> subfolders;
    WIN32_FIND_DATAW data;
    const TLString pattern = tlpath::WithLongPathPrefix(root + relative_folder + u"*.*");
    HANDLE find = FindFirstFileExW(pattern.wc(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const TLString name(data.cFileName);
        if (name == u"." || name == u"..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            subfolders.push_back(relative_folder + name + u"\\");
            continue;
        }
        const uint64_t size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        constexpr DWORD kSpecial = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        tree.files.push_back({relative_folder + name, size, (data.dwFileAttributes & kSpecial) != 0});
        tree.total_bytes += size;
    } while (FindNextFileW(find, &data));
    FindClose(find);
    for (const TLString& subfolder : subfolders) {
        tree.folders.push_back(subfolder);
        ListFolder(root, subfolder, tree);
    }
}

}  // namespace

SourceTree ListSourceTree(const TLString& folder) {
    SourceTree tree;
    ListFolder(folder, TLString(), tree);
    return tree;
}

}  // namespace engine
