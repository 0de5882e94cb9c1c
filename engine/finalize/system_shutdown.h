#pragma once
// CSystemShutdown: restarts Windows. The shutdown privilege is enabled for the one call that ends
// the session and disabled again afterwards.

#include <windows.h>

class CSystemShutdown {
public:
    enum Mode { kRestart };

    // The call that ends the session (ExitWindowsEx). Tests put their own in its place, so that a
    // test run never restarts the machine; returns the one it replaced.
    using ExitWindowsCall = BOOL(WINAPI*)(UINT flags, DWORD reason);
    static ExitWindowsCall ReplaceExitWindows(ExitWindowsCall call);

    // True when Windows accepted the request.
    bool Shutdown(Mode mode);
};
