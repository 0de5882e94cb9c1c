#include "product/tltools/process_folders.h"

#include <windows.h>

#include "core/windows/module_path.h"

namespace tltools_dll {
namespace {

constexpr size_t kBlockSize = 3184;
constexpr size_t kInstallFolderOffset = 524;
constexpr size_t kProgramFolderOffset = 1568;
constexpr size_t kMaxPath = 260;

TLString ReadBlockString(size_t offset) {
    const TLString name = TLString::Format(u"Corvane Process v%d (%d)", 27, static_cast<int>(GetCurrentProcessId()));
    HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, name.wc());
    if (!mapping) return TLString();
    TLString text;
    if (const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, kBlockSize)) {
        const auto* chars = reinterpret_cast<const char16_t*>(static_cast<const char*>(view) + offset);
        size_t length = 0;
        while (length < kMaxPath && chars[length]) ++length;
        text = TLString(std::u16string_view(chars, length));
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    return text;
}

TLString OwnFolder() {
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&OwnFolder), &self);
    return tlwin::ModuleFolder(self);
}

}  // namespace

TLString ProgramFolder() {
    TLString folder = ReadBlockString(kProgramFolderOffset);
    if (folder.empty()) return OwnFolder();
    return folder.EnsureTrailingBackslash();
}

TLString InstallFolder() { return ReadBlockString(kInstallFolderOffset); }

}  // namespace tltools_dll
