// The stand-in of the product's launcher: starts the main program that lies beside it, passing on
// its command line.
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include "core/windows/module_path.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR command_line, int show_command) {
    const TLString folder = tlwin::ModuleFolder();
    if (folder.empty()) return 1;
    const TLString program = folder + u"Tonehall.exe";
    const auto result =
        reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, nullptr, program.wc(), command_line, nullptr, show_command));
    return result > 32 ? 0 : 1;
}
