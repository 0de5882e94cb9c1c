#include "core/process/tl_install_path.h"

#include <windows.h>

#include "core/process/tl_process_info_block.h"
#include "core/tools/tools.h"

namespace {

TLString FolderOf(const TLString& path) {
    const size_t slash = path.ReverseFind(u'\\');
    return slash == TLString::npos ? TLString() : path.Left(slash + 1);
}

TLString RunningExecutableFolder() {
    wchar_t path[MAX_PATH * 8];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 8);
    return FolderOf(TLString(std::u16string_view(reinterpret_cast<const char16_t*>(path), length)));
}

bool FileExists(const TLString& path) {
    const DWORD attributes = GetFileAttributesW(path.wc());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadString(HKEY key, const wchar_t* name, TLString* value) {
    wchar_t data[1024];
    DWORD size = sizeof data - sizeof(wchar_t);
    DWORD type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    size_t length = size / sizeof(wchar_t);
    while (length && data[length - 1] == L'\0') --length;
    *value = TLString(std::u16string_view(reinterpret_cast<const char16_t*>(data), length));
    return true;
}

// The record's folder for this program, as the discovery rules choose it.
TLString SearchInstallationsRecord(const TLString& product_name, const TLString& module_folder,
                                   const TLString& executable_folder) {
    const wchar_t* key_name = reinterpret_cast<const wchar_t*>(
        executable_folder.EndsWithNoCase(u"\\x64\\") ? kInstallationsKeyWow64 : kInstallationsKey);
    HKEY record;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key_name, 0, KEY_READ, &record) != ERROR_SUCCESS) return TLString();
    TLString last_installed;
    ReadString(record, nullptr, &last_installed);

    TLString result;
    wchar_t name[256];
    for (DWORD index = 0; RegEnumKeyW(record, index, name, 256) == ERROR_SUCCESS; ++index) {
        HKEY product;
        if (RegOpenKeyExW(record, name, 0, KEY_READ, &product) != ERROR_SUCCESS) continue;
        TLString path;
        const bool has_path = ReadString(product, L"Path", &path) && !path.empty();
        RegCloseKey(product);
        if (!has_path) continue;
        const TLString subkey(reinterpret_cast<const char16_t*>(name));
        if (!product_name.empty()) {
            if (subkey == product_name) {
                result = path;
                break;
            }
            continue;
        }
        if (module_folder.StartsWithNoCase(path) || executable_folder.StartsWithNoCase(path)) {
            result = path;
            break;
        }
        if (subkey == last_installed) result = path;
    }
    RegCloseKey(record);
    return result;
}

}  // namespace

void DiscoverInstallPath(TLProcessInfoBlock& block, const TLString& product_name, bool overwrite_data_and_program,
                         bool only_if_initialised_here) {
    const TLString executable_folder = RunningExecutableFolder();
    const TLString module_folder = FolderOf(block.GetString(TLProcessInfoBlock::kExecutablePath));
    TLString result;
    if (FileExists(module_folder + u"Portable.dat")) {
        result = module_folder;
        block.SetByte(TLProcessInfoBlock::kPortableByte, 1);
    } else {
        result = SearchInstallationsRecord(product_name, module_folder, executable_folder);
    }
    SetInstallPath(block, result, overwrite_data_and_program, only_if_initialised_here);
}

void SetInstallPath(TLProcessInfoBlock& block, const TLString& folder, bool also_data_and_program,
                    bool only_if_initialised_here) {
    if (only_if_initialised_here && !block.InitialisedHere()) return;
    TLString path = folder;
    path.EnsureTrailingBackslash();
    if (path.length() > TLProcessInfoBlock::kMaxPath) path.Truncate(TLProcessInfoBlock::kMaxPath);
    block.SetString(TLProcessInfoBlock::kInstallFolder, path);
    if (also_data_and_program) {
        block.SetString(TLProcessInfoBlock::kDataFolder, path);
        block.SetString(TLProcessInfoBlock::kProgramFolder, path);
    }
    if (tltools::ToolsInterface* tools = tools::Interface()) tools->PathsChanged();
    const TLString line =
        TLString::Format(u"Corvane install path (process: %d): %s\r\n", static_cast<int>(GetCurrentProcessId()), path);
    OutputDebugStringW(line.wc());
}
