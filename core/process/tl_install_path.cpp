#include "core/process/tl_install_path.h"

#include <windows.h>

#include "core/process/tl_process_info_block.h"
#include "core/tools/tools.h"
#include "core/windows/file_attributes.h"
#include "core/windows/module_path.h"
#include "core/windows/registry.h"

namespace {

TLString FolderOf(const TLString& path) {
    const size_t slash = path.ReverseFind(u'\\');
    return slash == TLString::npos ? TLString() : path.Left(slash + 1);
}

// The record's folder for this program, as the discovery rules choose it.
TLString SearchInstallationsRecord(const TLString& product_name, const TLString& module_folder,
                                   const TLString& executable_folder) {
    const tlwin::RegistryKey record = tlwin::RegistryKey::Open(
        HKEY_LOCAL_MACHINE, executable_folder.EndsWithNoCase(u"\\x64\\") ? kInstallationsKeyWow64 : kInstallationsKey);
    if (!record.IsOpen()) return TLString();
    TLString last_installed;
    record.ReadString(TLString(), &last_installed);

    TLString result;
    const TLStringArray names = record.SubkeyNames();
    for (size_t i = 0; i < names.GetCount(); ++i) {
        const TLString& subkey = names[i];
        TLString path;
        if (!tlwin::RegistryKey::Open(record.handle(), subkey).ReadString(u"Path", &path) || path.empty()) continue;
        if (!product_name.empty()) {
            if (subkey == product_name) return path;
            continue;
        }
        if (module_folder.StartsWithNoCase(path) || executable_folder.StartsWithNoCase(path)) return path;
        if (subkey == last_installed) result = path;
    }
    return result;
}

}  // namespace

void DiscoverInstallPath(TLProcessInfoBlock& block, const TLString& product_name, bool overwrite_data_and_program,
                         bool only_if_initialised_here) {
    const TLString executable_folder = tlwin::ModuleFolder();
    const TLString module_folder = FolderOf(block.GetString(TLProcessInfoBlock::kExecutablePath));
    TLString result;
    if (tlwin::FileExists(module_folder + u"Portable.dat")) {
        result = module_folder;
        block.SetByte(TLProcessInfoBlock::kPortableByte, 1);
    } else {
        result = SearchInstallationsRecord(product_name, module_folder, executable_folder);
    }
    SetInstallPath(block, result, overwrite_data_and_program, only_if_initialised_here);
}

void FinishProcessInfoBlock(TLProcessInfoBlock& block) {
    if (!block.InitialisedHere() || block.IsReady()) return;
    DiscoverInstallPath(block, TLString(), true, true);
    block.ComputeAppDataFolder();
    block.MarkReady();
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
