// Entry point of Setup.exe.
#include <windows.h>

#include "app/command_line.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR command_line, int) {
    const TLStringArray tokens = CommandLine::Tokenise(TLString(command_line).view());
    CommandLine::ParseSwitches(CommandLine::Normalise(tokens).view(), InstallSession::Get());
    return 0;
}
