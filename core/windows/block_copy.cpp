#include "core/windows/block_copy.h"

#include <memory>

#include "core/windows/file_attributes.h"
#include "core/windows/file_handle.h"

namespace tlwin {
namespace {

// Most program files fit in one block: one read and one write each. Larger blocks save nothing
// measurable under Wine (the opens and closes cost more than the reads) but add to the working set.
constexpr DWORD kBlockSize = 256 << 10;

// Kept for the thread's life, so that the pages are mapped once rather than for every file.
char* Block() {
    thread_local std::unique_ptr<char[]> block(new char[kBlockSize]);
    return block.get();
}

bool CopyContents(HANDLE from, HANDLE to, uint64_t size) {
    char* block = Block();
    while (size > 0) {
        const DWORD wanted = size < kBlockSize ? static_cast<DWORD>(size) : kBlockSize;
        DWORD read = 0;
        if (!ReadFile(from, block, wanted, &read, nullptr)) return false;
        if (read == 0) return true;  // shorter than it was a moment ago
        DWORD written = 0;
        if (!WriteFile(to, block, read, &written, nullptr)) return false;
        if (written != read) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        size -= read;
        if (read < wanted) return true;
    }
    return true;
}

}  // namespace

bool CopyFileInBlocks(const TLString& source, const TLString& target, bool overwrite) {
    FileHandle from(CreateFileW(ForWindows(source).wc(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr));
    if (!from.IsOpen()) return false;
    // Two questions a handle answers from the file itself: under Wine GetFileInformationByHandle also
    // asks the wineserver for the file's name, which costs more than the rest of a small file's copy.
    FILE_BASIC_INFO facts;
    LARGE_INTEGER size;
    if (!GetFileInformationByHandleEx(from.get(), FileBasicInfo, &facts, sizeof facts) ||
        !GetFileSizeEx(from.get(), &size))
        return false;
    constexpr DWORD kKept =
        FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    const DWORD attributes = facts.FileAttributes & kKept;
    const TLString windows_target = ForWindows(target);
    FileHandle to(CreateFileW(windows_target.wc(), GENERIC_WRITE, 0, nullptr, overwrite ? CREATE_ALWAYS : CREATE_NEW,
                          attributes ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!to.IsOpen()) return false;
    FILETIME written;
    written.dwLowDateTime = static_cast<DWORD>(facts.LastWriteTime.QuadPart);
    written.dwHighDateTime = static_cast<DWORD>(facts.LastWriteTime.QuadPart >> 32);
    if (CopyContents(from.get(), to.get(), static_cast<uint64_t>(size.QuadPart)) &&
        SetFileTime(to.get(), nullptr, nullptr, &written) && to.Close())
        return true;
    const DWORD error = GetLastError();
    if (to.IsOpen()) to.Close();
    DeleteFileW(windows_target.wc());
    SetLastError(error);
    return false;
}

}  // namespace tlwin
