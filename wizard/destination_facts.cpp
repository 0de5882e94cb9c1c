#include "wizard/destination_facts.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

#include "core/path/path_parts.h"
#include "core/process/tl_process_info_block.h"
#include "core/tools/tools.h"
#include "core/windows/full_path.h"
#include "core/windows/registry.h"
#include "core/windows/shell_folder.h"
#include "engine/filesystem/tl_file_system.h"
#include "wizard/machine_seams.h"

namespace destination {
namespace {

using wizard_rules::WithOneTrailingBackslash;

static_assert(wizard_rules::kMaxFolderLength == TLProcessInfoBlock::kMaxPath);

// Runs one of Windows' path functions that fill a buffer, growing the buffer as it asks.
template <typename Call>
bool PathFromWindows(Call call, TLString* result) {
    DWORD capacity = MAX_PATH;
    for (;;) {
        wchar_t* buffer = reinterpret_cast<wchar_t*>(result->GetBuffer(capacity));
        const DWORD length = call(buffer, capacity);
        if (length == 0) {
            result->ReleaseBuffer(0);
            return false;
        }
        if (length < capacity) {
            result->ReleaseBuffer(length);
            return true;
        }
        capacity = length + 1;
    }
}

bool LongPath(const TLString& path, TLString* long_path) {
    const TLString windows_path = tlpath::WithLongPathPrefix(path);
    if (!PathFromWindows(
            [&](wchar_t* buffer, DWORD capacity) { return GetLongPathNameW(windows_path.wc(), buffer, capacity); },
            long_path))
        return false;
    *long_path = tlpath::WithoutLongPathPrefix(*long_path);
    return true;
}

// The long form of the deepest folder of the path that exists, with the names below it as given.
TLString LongFormOfExistingPart(const TLString& full) {
    TLString existing = full;
    existing.RemoveTrailingBackslashes();
    TLString missing;
    for (;;) {
        TLString long_form;
        if (LongPath(existing + u"\\", &long_form)) return WithOneTrailingBackslash(long_form) + missing;
        const size_t cut = existing.ReverseFind(u'\\');
        if (cut == TLString::npos || cut == 0) return full;
        missing = existing.Mid(cut + 1) + u"\\" + missing;
        existing.Truncate(cut);
    }
}

TLString WindowsFolder() {
    TLString folder;
    PathFromWindows([](wchar_t* buffer, DWORD capacity) { return GetWindowsDirectoryW(buffer, capacity); }, &folder);
    return CanonicalFolder(folder);
}

// The folders of people and of programs as a whole, for the current user and for all users.
constexpr int kShellFolders[] = {
    CSIDL_PROFILE,
    CSIDL_DESKTOPDIRECTORY,
    CSIDL_COMMON_DESKTOPDIRECTORY,
    CSIDL_PERSONAL,
    CSIDL_COMMON_DOCUMENTS,
    CSIDL_MYMUSIC,
    CSIDL_COMMON_MUSIC,
    CSIDL_APPDATA,
    CSIDL_LOCAL_APPDATA,
    CSIDL_COMMON_APPDATA,
    CSIDL_PROGRAM_FILES,
    CSIDL_PROGRAM_FILESX86,
    CSIDL_PROGRAM_FILES_COMMON,
    CSIDL_PROGRAM_FILES_COMMONX86,
};

TLString ProgramFilesFolder() {
    TLString folder;
    tlwin::RegistryKey::Open(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion"_tl)
        .ReadString(u"ProgramFilesDir"_tl, &folder);
    return folder;
}

}  // namespace

TLString CanonicalFolder(const TLString& typed) {
    if (typed.empty()) return typed;
    return WithOneTrailingBackslash(LongFormOfExistingPart(tlwin::FullPath(typed)));
}

wizard_rules::ProposalFacts GatherProposalFacts() {
    wizard_rules::ProposalFacts facts;
    if (const TLProcessInfoBlock* block = TLProcessInfoBlock::Get())
        facts.existing_installation_folder = block->GetString(TLProcessInfoBlock::kInstallFolder);
    facts.remembered_folder =
        tools::OpenSettingsSection(u"Installer"_tl).GetString(wizard_rules::kInstallDirectoryValue, TLString());
    facts.configured_folder = tools::ProductString(wizard_rules::kInstallToPathKey, TLString());
    facts.program_files_folder = ProgramFilesFolder();
    facts.product_folder_name = tools::ProductItem(3);
    return facts;
}

wizard_rules::DestinationFacts GatherDestinationFacts(const InstallSession& session) {
    wizard_rules::DestinationFacts facts;
    facts.windows_folder = WindowsFolder();
    for (int csidl : kShellFolders) {
        const TLString folder = tlwin::ShellFolder(csidl);
        if (!folder.empty()) facts.shell_folders.Add(CanonicalFolder(folder));
    }
    for (const TLString& folder : session.PreexistingProgramFolders)
        facts.preexisting_program_folders.Add(CanonicalFolder(folder));
    facts.make_folder = [](const TLString& folder) { return TLFileSystem::MakeDirectoryTree(folder); };
    facts.free_space = seams::FreeBytes;
    return facts;
}

}  // namespace destination
