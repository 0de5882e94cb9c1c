#include "core/windows/tl_file_system.h"

#include "core/path/free_name.h"
#include "core/path/name_check.h"
#include "core/path/path_parts.h"
#include "core/path/size_text.h"
#include "core/tools/tools.h"
#include "core/windows/disk_space.h"
#include "core/windows/file_operations.h"
#include "core/windows/folder_entries.h"
#include "core/windows/known_folders.h"

namespace tlwin {

bool TLFileSystem::FolderExists(const TLString& folder) { return tlwin::FolderExists(folder); }

bool TLFileSystem::FileExists(const TLString& path) { return tlwin::FileExists(path); }

bool TLFileSystem::CheckName(const TLString& path) { return tlpath::CheckName(path); }

bool TLFileSystem::DeleteFile(const TLString& path) {
    if (path.empty()) return false;
    SetAttributesAt(path, FILE_ATTRIBUTE_NORMAL);
    if (tlwin::DeleteFileAt(path)) return true;
    const DWORD error = GetLastError();
    if (tlwin::FileAttributes(path) == INVALID_FILE_ATTRIBUTES) return true;
    tools::LogFormat(u"TLFileSystem::DeleteFile", u"Error %d deleting existing file: %s", error, path);
    return false;
}

bool TLFileSystem::SafeReplaceFile(const TLString& target, const TLString& new_path) {
    constexpr std::u16string_view kName = u"TLFileSystem::SafeReplaceFile";
    if (!FileExists(new_path)) return false;
    if (!FileExists(target)) return tlwin::MoveFileTo(new_path, target);

    const TLString aside = FreeName(target);
    if (!tlwin::MoveFileTo(target, aside)) {
        tools::Log(kName, u"Error renaming original file"_tl, tltools::ILogger::kError);
        return false;
    }
    if (!tlwin::MoveFileTo(new_path, target)) {
        tlwin::MoveFileTo(aside, target);
        tools::Log(kName, u"Error moving new file into place of original name"_tl, tltools::ILogger::kError);
        return false;
    }
    DeleteFile(aside);
    return true;
}

bool TLFileSystem::IsFolderWritable(const TLString& folder) {
    TLString path = folder;
    path.RemoveTrailingBackslashes();
    HANDLE handle =
        CreateFileW(ForWindows(path).wc(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        return true;
    }
    const TLString test_file =
        TLString::Format(u"%s\\Directory Write Test (%d).tmp", path, static_cast<unsigned>(GetCurrentThreadId()));
    handle = CreateFileW(ForWindows(test_file).wc(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    CloseHandle(handle);
    return true;
}

int64_t TLFileSystem::FileSize(const TLString& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(ForWindows(path).wc(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return -1;
    return static_cast<int64_t>((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
}

int64_t TLFileSystem::FreeSpace(const TLString& folder) {
    TLString candidate = folder;
    DWORD error = ERROR_PATH_NOT_FOUND;
    for (;;) {
        candidate.EnsureTrailingBackslash();
        uint64_t available = 0;
        if (FreeBytesAvailable(candidate, available)) return static_cast<int64_t>(available);
        error = GetLastError();
        candidate.RemoveTrailingBackslashes();
        const TLString parent = tlpath::FolderOf(candidate);
        if (parent.empty() || parent.length() >= candidate.length()) break;
        candidate = parent;
    }
    tools::LogFormat(u"TLFileSystem::FreeSpace", u"Error %d reading the free space of: %s", error, folder);
    return -1;
}

TLString TLFileSystem::FreeName(const TLString& path) {
    TLString candidate = path;
    while (tlwin::FileAttributes(candidate) != INVALID_FILE_ATTRIBUTES) candidate = tlpath::NextNumberedName(candidate);
    return candidate;
}

TLString TLFileSystem::TemporaryFileName(const TLString& folder, const TLString& name, const TLString& extension,
                                         bool add_thread_id) {
    TLString path = folder.empty() ? KnownFolderPath(KnownFolder::kTemporary) : folder;
    path.EnsureTrailingBackslash();
    path += name;
    if (add_thread_id) path += TLString::Format(u" - %d", static_cast<unsigned>(GetCurrentThreadId()));
    if (!extension.empty()) path += u"." + extension;
    return FreeName(path);
}

TLString TLFileSystem::SizeText(int64_t bytes) { return tlpath::SizeText(bytes); }

}  // namespace tlwin
