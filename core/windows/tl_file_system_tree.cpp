// The operations on whole folder trees.
#include "core/path/path_parts.h"
#include "core/tools/tools.h"
#include "core/windows/file_operations.h"
#include "core/windows/folder_entries.h"
#include "core/windows/tl_file_system.h"

namespace tlwin {

namespace {

// Length of the part of a path that cannot be made: "C:\" or "\\server\share\".
size_t RootLength(const TLString& plain) {
    if (!plain.StartsWith(u"\\\\")) return 3;
    const size_t server_end = plain.Find(u'\\', 2);
    if (server_end == TLString::npos) return plain.length();
    const size_t share_end = plain.Find(u'\\', server_end + 1);
    return share_end == TLString::npos ? plain.length() : share_end + 1;
}

// A link is removed as what it is: the link itself, never what it points to.
bool RemoveLink(const TLString& path, DWORD attributes) {
    const TLString windows_path = ForWindows(path);
    const bool removed =
        (attributes & FILE_ATTRIBUTE_DIRECTORY) ? RemoveDirectoryW(windows_path.wc()) : DeleteFileW(windows_path.wc());
    if (!removed)
        tools::LogFormat(u"TLFileSystem::DeleteDirectoryTree", u"Error %d removing link: %s", GetLastError(), path);
    return removed;
}

bool DeleteContents(const TLString& folder) {
    bool deleted = true;
    tlwin::ForEachEntry(folder, [&](const TLString& name, DWORD attributes) {
        const TLString path = folder + name;
        // A linked folder is removed as a link by DeleteDirectoryTree itself.
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            deleted &= TLFileSystem::DeleteDirectoryTree(path);
        else if (tlwin::IsLink(attributes))
            deleted &= RemoveLink(path, attributes);
        else
            deleted &= TLFileSystem::DeleteFile(path);
        return true;
    });
    return deleted;
}

bool HoldsFiles(const TLString& folder, bool search_subfolders) {
    return !tlwin::ForEachEntry(folder, [&](const TLString& name, DWORD attributes) {
        if (tlwin::IsLink(attributes)) return true;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return !search_subfolders || !HoldsFiles(folder + name + u"\\", search_subfolders);
        return name.EqualsNoCase(u"Thumbs.db");
    });
}

TLString AsFolder(const TLString& path) {
    TLString folder = path;
    folder.EnsureTrailingBackslash();
    return folder;
}

}  // namespace

bool TLFileSystem::MakeDirectoryTree(const TLString& path, bool path_names_file) {
    constexpr std::u16string_view kName = u"TLFileSystem::MakeDirectoryTree";
    if (!tlpath::HasDriveOrServer(path)) {
        tools::LogFormat(kName, u"Path has neither a drive nor a server: %s", path);
        return false;
    }
    const TLString folder = AsFolder(tlpath::WithoutLongPathPrefix(path_names_file ? tlpath::FolderOf(path) : path));
    for (size_t end = folder.Find(u'\\', RootLength(folder)); end != TLString::npos;
         end = folder.Find(u'\\', end + 1)) {
        const TLString part = folder.Left(end);
        if (FolderExists(part) || CreateDirectoryW(ForWindows(part).wc(), nullptr)) continue;
        const DWORD error = GetLastError();
        // Made by someone else meanwhile is fine; a file of that name is not.
        if (FolderExists(part)) continue;
        tools::LogFormat(kName, u"Error %d creating folder: %s", error, part);
        return false;
    }
    return true;
}

bool TLFileSystem::DeleteDirectoryTree(const TLString& folder) {
    TLString path = folder;
    path.RemoveTrailingBackslashes();
    const DWORD attributes = tlwin::FileAttributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;
    if (tlwin::IsLink(attributes)) return RemoveLink(path, attributes);

    bool deleted = DeleteContents(AsFolder(path));
    SetAttributesAt(path, FILE_ATTRIBUTE_NORMAL);
    if (!RemoveDirectoryW(ForWindows(path).wc())) {
        tools::LogFormat(u"TLFileSystem::DeleteDirectoryTree", u"Error %d removing folder: %s", GetLastError(), path);
        deleted = false;
    }
    return deleted;
}

bool TLFileSystem::CopyDirectoryTree(const TLString& source, const TLString& destination) {
    constexpr std::u16string_view kName = u"TLFileSystem::CopyDirectoryTree";
    const TLString from = AsFolder(source);
    const TLString to = AsFolder(destination);
    // A destination inside the source would be copied into itself again and again.
    if (to.StartsWithNoCase(from)) {
        tools::LogFormat(kName, u"Cannot copy %s into itself: %s", from, to);
        return false;
    }
    if (!MakeDirectoryTree(to)) return false;

    bool copied = true;
    tlwin::ForEachEntry(from, [&](const TLString& name, DWORD attributes) {
        if (tlwin::IsLink(attributes)) return true;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            copied &= CopyDirectoryTree(from + name, to + name);
            return true;
        }
        SetAttributesAt(to + name, FILE_ATTRIBUTE_NORMAL);
        if (!tlwin::CopyFileTo(from + name, to + name, true)) {
            tools::LogFormat(kName, u"Error %d copying file: %s", GetLastError(), from + name);
            copied = false;
        }
        return true;
    });
    return copied;
}

bool TLFileSystem::IsFolderEmpty(const TLString& folder, bool search_subfolders) {
    return !HoldsFiles(AsFolder(folder), search_subfolders);
}

}  // namespace tlwin
