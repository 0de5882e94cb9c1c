// Test program of the test helpers themselves:
//   talk MS TEXT    stays quiet for MS milliseconds, then writes TEXT with OutputDebugString and ends
//   hold NAME       takes the mutex NAME, sets the event "NAME ready" and runs until it is ended
//   start NAME      starts "hold NAME" the way tests start programs and runs until it is ended
#include <windows.h>

#include <shellapi.h>

#include "tests/support/win_test_support.h"

namespace {

[[noreturn]] void RunForEver() {
    for (;;) Sleep(INFINITE);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (count < 3) return 2;
    const TLString mode(arguments[1]);
    const TLString value(arguments[2]);
    if (mode == u"talk" && count >= 4) {
        Sleep(static_cast<DWORD>(value.ToInt()));
        OutputDebugStringW(arguments[3]);
        return 0;
    }
    if (mode == u"hold") {
        WaitForSingleObject(CreateMutexW(nullptr, FALSE, value.wc()), INFINITE);
        SetEvent(OpenEventW(EVENT_MODIFY_STATE, FALSE, (value + u" ready").wc()));
        RunForEver();
    }
    if (mode == u"start") {
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        const tltest::StartedProgram holder(TLString(reinterpret_cast<const char16_t*>(self)),
                                            (u"hold " + value).view());
        RunForEver();
    }
    return 2;
}
