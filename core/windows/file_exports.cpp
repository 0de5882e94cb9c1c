#include "core/windows/file_exports.h"

#include <windows.h>

#include "core/windows/file_attributes.h"

namespace tlwin {

tlpe::ExportLookup FindFileExport(const TLString& path, std::string_view name) {
    HANDLE file =
        CreateFileW(ForWindows(path).wc(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return tlpe::ExportLookup::kNotReadable;
    // The headers come first and the lookups read a few bytes each, so the first 4 KB are read once.
    char head[4096];
    DWORD head_size = 0;
    if (!ReadFile(file, head, sizeof head, &head_size, nullptr)) head_size = 0;
    const tlpe::ReadAt read = [&](uint64_t offset, void* out, size_t size) {
        if (offset + size <= head_size) {
            memcpy(out, head + offset, size);
            return true;
        }
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD done = 0;
        return size <= MAXDWORD && ReadFile(file, out, static_cast<DWORD>(size), &done, &at) && done == size;
    };
    const tlpe::ExportLookup lookup = tlpe::FindExport(read, name);
    CloseHandle(file);
    return lookup;
}

}  // namespace tlwin
