// Entry point of TLMediaUninstall.exe and its one application object.
#include <windows.h>
#include <shellapi.h>

#include "core/windows/library_loader.h"
#include "product/uninstall/uninstall_app.h"

namespace {

uninstall::CUninstallApp g_app;

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR, int show_command) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    tlwin::RestrictDllSearchPath();
    int count = 0;
    if (wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i) g_app.command_line_tokens().Add(TLString(arguments[i]));
        LocalFree(arguments);
    }
    return g_app.WindowedEntry(instance, previous, show_command);
}
