#include "engine/finalize/system_shutdown.h"

#include "core/tools/scoped_trace.h"
#include "core/tools/tools.h"
#include "core/windows/library_loader.h"
#include "core/windows/module_function.h"

namespace {

constexpr std::u16string_view kTraceName = u"CSystemShutdown::Shutdown";

CSystemShutdown::ExitWindowsCall g_exit_windows = ExitWindowsEx;

// Holds the shutdown privilege enabled in the process token for its lifetime; the token's earlier
// state is put back at the end.
class ShutdownPrivilege {
public:
    ShutdownPrivilege() {
        HMODULE advapi = tlwin::LoadSystemLibrary(L"Advapi32.dll");
        adjust_ = tlwin::ModuleFunction<AdjustFunction>(advapi, "AdjustTokenPrivileges");
        const auto open = tlwin::ModuleFunction<OpenFunction>(advapi, "OpenProcessToken");
        const auto lookup = tlwin::ModuleFunction<LookupFunction>(advapi, "LookupPrivilegeValueW");
        if (!adjust_ || !open || !lookup || !open(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token_))
            return;
        TOKEN_PRIVILEGES wanted = {};
        wanted.PrivilegeCount = 1;
        wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (!lookup(nullptr, SE_SHUTDOWN_NAME, &wanted.Privileges[0].Luid)) return;
        DWORD size = sizeof previous_;
        enabled_ =
            adjust_(token_, FALSE, &wanted, sizeof previous_, &previous_, &size) && GetLastError() == ERROR_SUCCESS;
        if (!enabled_)
            tools::LogFormat(kTraceName, u"Enabling the shutdown privilege failed, error: %d", GetLastError());
    }
    ~ShutdownPrivilege() {
        if (enabled_) adjust_(token_, FALSE, &previous_, 0, nullptr, nullptr);
        if (token_) CloseHandle(token_);
    }
    ShutdownPrivilege(const ShutdownPrivilege&) = delete;
    ShutdownPrivilege& operator=(const ShutdownPrivilege&) = delete;

private:
    using AdjustFunction = BOOL(WINAPI*)(HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD, PTOKEN_PRIVILEGES, PDWORD);
    using OpenFunction = BOOL(WINAPI*)(HANDLE, DWORD, PHANDLE);
    using LookupFunction = BOOL(WINAPI*)(LPCWSTR, LPCWSTR, PLUID);

    AdjustFunction adjust_ = nullptr;
    HANDLE token_ = nullptr;
    TOKEN_PRIVILEGES previous_ = {};
    bool enabled_ = false;
};

}  // namespace

CSystemShutdown::ExitWindowsCall CSystemShutdown::ReplaceExitWindows(ExitWindowsCall call) {
    const ExitWindowsCall previous = g_exit_windows;
    g_exit_windows = call;
    return previous;
}

bool CSystemShutdown::Shutdown(Mode mode) {
    TLScopedTrace trace(kTraceName);
    if (mode != kRestart) return false;
    tools::LogFormat(kTraceName, u"mode: %s", tools::Translate(u"Restart"_tl));
    const ShutdownPrivilege privilege;
    const bool accepted = g_exit_windows(EWX_REBOOT | EWX_FORCEIFHUNG, 0);
    trace.SetResult(accepted);
    return accepted;
}
