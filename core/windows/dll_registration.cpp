// Registering COM servers: through the package installer, RegSvr32 or in process.
#include <windows.h>

#include "core/path/path_parts.h"
#include "core/process/tl_process_info_block.h"
#include "core/windows/file_exports.h"
#include "core/windows/known_folders.h"
#include "core/windows/library_loader.h"
#include "core/windows/module_function.h"
#include "core/windows/run_program.h"
#include "core/windows/tl_file_system.h"

namespace tlwin {
namespace {

// Switches the file-system redirection of a 32-bit process on 64-bit Windows off for its lifetime.
class RedirectionOff {
public:
    explicit RedirectionOff(bool wanted) {
        BOOL wow64 = FALSE;
        if (!wanted || !IsWow64Process(GetCurrentProcess(), &wow64) || !wow64) return;
        enable_ =
            tlwin::ModuleFunction<EnableFunction>(GetModuleHandleW(L"kernel32.dll"), "Wow64EnableWow64FsRedirection");
        if (enable_) enable_(FALSE);
    }
    ~RedirectionOff() {
        if (enable_) enable_(TRUE);
    }
    RedirectionOff(const RedirectionOff&) = delete;
    RedirectionOff& operator=(const RedirectionOff&) = delete;

private:
    using EnableFunction = BOOLEAN(WINAPI*)(BOOLEAN);
    EnableFunction enable_ = nullptr;
};

// Makes a folder the current directory and restores the previous one at the end.
class CurrentDirectorySwitch {
public:
    explicit CurrentDirectorySwitch(const TLString& folder) {
        wchar_t saved[MAX_PATH + 1];
        const DWORD length = GetCurrentDirectoryW(MAX_PATH + 1, saved);
        if (length > 0 && length <= MAX_PATH) saved_ = TLString(saved, length);
        if (!folder.empty()) SetCurrentDirectoryW(folder.wc());
    }
    ~CurrentDirectorySwitch() {
        if (!saved_.empty()) SetCurrentDirectoryW(saved_.wc());
    }
    CurrentDirectorySwitch(const CurrentDirectorySwitch&) = delete;
    CurrentDirectorySwitch& operator=(const CurrentDirectorySwitch&) = delete;

private:
    TLString saved_;
};

// `function` is "DllRegisterServer" or "DllUnregisterServer".
bool CallServerFunction(const TLString& dll, const char* function) {
    using RegisterFunction = HRESULT(STDAPICALLTYPE*)();
    // Loading runs a DLL's start-up code, which for a program tree of a few hundred modules costs
    // more than copying them; a DLL without the export fails as its load would, without being loaded.
    if (tlwin::FindFileExport(dll, function) == tlpe::ExportLookup::kMissing) return false;
    const CurrentDirectorySwitch directory(tlpath::FolderOf(dll));
    // The current directory is not searched for DLLs in this process; a server that loads its
    // siblings by bare name finds them through its folder added for the registration.
    const tlwin::ScopedDllDirectory dll_directory(tlpath::FolderOf(dll));
    HMODULE module = tlwin::LoadLibraryFromFolder(dll);
    if (!module) return false;
    const auto server_function = tlwin::ModuleFunction<RegisterFunction>(module, function);
    const bool done = server_function && SUCCEEDED(server_function());
    FreeLibrary(module);
    return done;
}

}  // namespace

bool RunPackageInstaller(const TLProcessInfoBlock& block, const TLString& parameter) {
    TLString program = block.GetString(TLProcessInfoBlock::kInstallFolder);
    if (program.empty()) return false;
    program.EnsureTrailingBackslash();
    program += u"PackageInstaller.exe";
    if (!TLFileSystem::FileExists(program)) return false;
    return RunWithParameter(program, parameter, true, false, nullptr, 0);
}

bool RegisterThroughPackageInstaller(const TLProcessInfoBlock& block, const TLString& dll, bool register_it) {
    return RunPackageInstaller(block, (register_it ? u"/RegDLL "_tl : u"/UnRegDLL "_tl) + dll);
}

bool RegisterWithRegSvr32(const TLString& dll, bool register_it, bool leave_redirection) {
    const TLString parameters = TLString::Format(u"/s %s\"%s\"", register_it ? u"" : u"/u ", dll);
    const RedirectionOff redirection(leave_redirection);
    RunWithParameter(KnownFolderPath(KnownFolder::kWindows) + u"system32\\RegSvr32.exe", parameters, false, true,
                     nullptr, 0);
    return true;
}

bool RegisterInProcess(const TLString& dll) { return CallServerFunction(dll, "DllRegisterServer"); }

bool UnregisterInProcess(const TLString& dll) { return CallServerFunction(dll, "DllUnregisterServer"); }

}  // namespace tlwin
