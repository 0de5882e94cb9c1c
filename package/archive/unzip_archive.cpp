#include "package/archive/unzip_archive.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "core/archive/zip_reader.h"
#include "core/path/path_parts.h"
#include "core/path/relative_path.h"
#include "core/tools/tools.h"
#include "core/windows/tl_file_system.h"

namespace package {
namespace {

class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const TLString& path)
        : handle_(CreateFileW(tlpath::WithLongPathPrefix(path).wc(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~ReadOnlyFile() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    uint64_t Size() const {
        LARGE_INTEGER size{};
        return GetFileSizeEx(handle_, &size) ? static_cast<uint64_t>(size.QuadPart) : 0;
    }
    bool ReadAt(uint64_t offset, void* out, size_t size) const {
        auto* bytes = static_cast<uint8_t*>(out);
        while (size > 0) {
            OVERLAPPED at{};
            at.Offset = static_cast<DWORD>(offset);
            at.OffsetHigh = static_cast<DWORD>(offset >> 32);
            const DWORD piece = static_cast<DWORD>(std::min<size_t>(size, 1 << 20));
            DWORD read = 0;
            if (!ReadFile(handle_, bytes, piece, &read, &at) || read == 0) return false;
            bytes += read;
            offset += read;
            size -= read;
        }
        return true;
    }

private:
    HANDLE handle_;
};

bool IsLink(TLString path) {
    if (path.Last() == u'\\') path.Truncate(path.length() - 1);
    const DWORD attributes = GetFileAttributesW(tlpath::WithLongPathPrefix(path).wc());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// The folders of `names` below `target` (all names but the last), made when missing; false when one
// of them is a link or a file, or cannot be made.
bool MakeFolders(const TLString& target, const std::vector<TLString>& names, tlwin::IChangeNotes& notes, TLString& folder) {
    folder = target;
    for (size_t index = 0; index + 1 < names.size(); ++index) {
        folder += names[index];
        // Asked without a trailing backslash, which would look through a link to where it points.
        const DWORD attributes = GetFileAttributesW(tlpath::WithLongPathPrefix(folder).wc());
        folder += u'\\';
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            notes.NoteCreatedFolder(folder);
            if (!CreateDirectoryW(tlpath::WithLongPathPrefix(folder).wc(), nullptr)) return false;
        } else if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            return false;
        }
    }
    return true;
}

bool WriteEntry(const tlzip::CZipReader& reader, const tlzip::ZipEntry& entry, const TLString& path) {
    HANDLE file = CreateFileW(tlpath::WithLongPathPrefix(path).wc(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const tlzip::ZipResult result = reader.Extract(entry, [file](const void* data, size_t size) {
        DWORD written = 0;
        return WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
    });
    CloseHandle(file);
    if (result == tlzip::ZipResult::kOk) return true;
    tools::LogFormat(u"UnzipArchive", u"Unpacking '%s' failed (%d)", entry.name, static_cast<int>(result));
    DeleteFileW(tlpath::WithLongPathPrefix(path).wc());
    return false;
}

}  // namespace

bool UnzipArchive(const TLString& archive, const TLString& target, const UnzipOptions& options, tlwin::IChangeNotes& notes,
                  TLStringArray& written) {
    ReadOnlyFile file(archive);
    if (!file.IsOpen()) return false;
    tlzip::CZipReader reader;
    const tlzip::ZipLimits limits{.max_entries = 65535, .max_total_size = options.max_unpacked_size};
    const tlzip::ZipResult opened =
        reader.Open([&file](uint64_t offset, void* out, size_t size) { return file.ReadAt(offset, out, size); },
                    file.Size(), limits);
    if (opened != tlzip::ZipResult::kOk) {
        tools::LogFormat(u"UnzipArchive", u"'%s' is refused (%d)", archive, static_cast<int>(opened));
        return false;
    }

    // Every name is checked before the first file is written.
    std::vector<std::vector<TLString>> paths;
    for (const tlzip::ZipEntry& entry : reader.Entries()) {
        std::vector<TLString> names;
        if (!tlpath::SplitRelativePath(entry.name, names)) {
            tools::LogFormat(u"UnzipArchive", u"'%s' holds the unsafe name '%s'", archive, entry.name);
            return false;
        }
        if (!options.keep_folders) names.erase(names.begin(), names.end() - 1);
        paths.push_back(std::move(names));
    }

    if (IsLink(target)) return false;
    if (!tlwin::TLFileSystem::FolderExists(target)) {
        notes.NoteCreatedFolder(target);
        if (!tlwin::TLFileSystem::MakeDirectoryTree(target)) return false;
    }
    for (size_t index = 0; index < paths.size(); ++index) {
        const tlzip::ZipEntry& entry = reader.Entries()[index];
        if (entry.folder && !options.keep_folders) continue;
        std::vector<TLString> names = paths[index];
        if (entry.folder) names.emplace_back(u"-");  // a folder entry makes all of its names
        TLString folder;
        if (!MakeFolders(target, names, notes, folder)) return false;
        if (entry.folder) continue;
        const TLString path = folder + names.back();
        if (IsLink(path)) return false;
        if (!tlwin::TLFileSystem::FileExists(path)) notes.NoteCreatedFile(path);
        written.Add(path);
        if (!WriteEntry(reader, entry, path)) return false;
    }
    return true;
}

}  // namespace package
