// Entry point of Setup.exe and its one application object.
#include <windows.h>

#include "app/command_line.h"
#include "app/install_app.h"
#include "core/session/install_session.h"
#include "core/windows/library_loader.h"

namespace {

// Runs during static initialisation, before the entry point: no critical-error boxes from Windows,
// no DLL search in the installer's own (often a download) folder, and the session's defaults.
const bool g_process_prepared = [] {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    tlwin::RestrictDllSearchPath();
    InstallSession::Get();
    return true;
}();

CInstallApp g_app;

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR command_line, int show_command) {
    TLApp* app = TLApp::Instance();
    if (!app) return 0;
    app->command_line_tokens() =
        CommandLine::Tokenise(TLString(reinterpret_cast<const char16_t*>(command_line)).view());
    return app->WindowedEntry(instance, previous, show_command);
}
