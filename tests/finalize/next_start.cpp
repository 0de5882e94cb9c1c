#include "tests/finalize/next_start.h"

#include "tests/support/win_test_support.h"

namespace tltest {

bool RestartWine() {
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    return RunAndWait(TLString(system) + u"\\wineboot.exe", u"-r", 120000).finished;
}

bool RunRunOnceCommand(const TLString& command) {
    const size_t program_end = command.Find(u"\" ");
    if (!command.StartsWith(u"\"") || program_end == TLString::npos) return false;
    return RunAndWait(command.Mid(1, program_end - 1), command.Mid(program_end + 2)).finished;
}

}  // namespace tltest
