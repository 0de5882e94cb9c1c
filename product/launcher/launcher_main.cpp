// The stand-in of the product's launcher: starts the main program that lies beside it, passing on
// its command line.
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR command_line, int show_command) {
    wchar_t path[MAX_PATH * 8];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 8);
    wchar_t* slash = wcsrchr(path, L'\\');
    if (!length || !slash) return 1;
    wcscpy(slash + 1, L"Tonehall.exe");
    const auto result =
        reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, nullptr, path, command_line, nullptr, show_command));
    return result > 32 ? 0 : 1;
}
