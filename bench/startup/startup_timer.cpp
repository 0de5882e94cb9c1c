// startup_timer.exe RUNS BARE_EXE SETUP_EXE: starts each program RUNS times, alternating, and measures
// the time from starting the process to its first window being visible: for the bare program its
// window, for Setup.exe the wizard with its welcome page shown. Prints every time, the medians and
// the ratio of Setup.exe's median to the bare program's.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/window_driver.h"
#include "toolkit/wizard/tl_wizard_ids.h"
#include "toolkit/wizard/tl_wizard_popup_wnd.h"

namespace {

constexpr DWORD kTimeoutMs = 120000;

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct Program {
    const wchar_t* path;
    const char16_t* class_name;
    bool is_wizard;
    std::vector<double> times;
};

// The wizard counts once its welcome page (the page window with the first page's identifier) shows.
bool Ready(const Program& program, DWORD process_id, HWND* window) {
    *window = tltest::FindVisibleWindow(process_id, program.class_name);
    if (!*window) return false;
    if (!program.is_wizard) return true;
    HWND page = GetDlgItem(*window, toolkit::kFirstPageId);
    return page && IsWindowVisible(page);
}

bool RunOnce(Program& program) {
    std::wstring command = std::wstring(L"\"") + program.path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = Now();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    HWND window = nullptr;
    bool ready = false;
    while (Now() - start < kTimeoutMs && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        if ((ready = Ready(program, process.dwProcessId, &window))) break;
        Sleep(1);
    }
    if (ready) program.times.push_back(Now() - start);
    if (window)
        PostMessageW(window, program.is_wizard ? TLWizardPopupWnd::kCloseMessage : WM_CLOSE,
                     TLWizardPopupWnd::kCancelled, 0);
    if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    return ready;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: startup_timer RUNS BARE_EXE SETUP_EXE\n");
        return 2;
    }
    const int runs = std::max(1, _wtoi(argv[1]));
    Program bare{argv[2], u"TLBareWindow", false, {}};
    Program setup{argv[3], u"TLWizardPopupWnd", true, {}};
    // One start of each first, so that both find Wine and the file cache warm.
    RunOnce(bare);
    RunOnce(setup);
    bare.times.clear();
    setup.times.clear();
    for (int run = 0; run < runs; ++run) {
        if (!RunOnce(bare) || !RunOnce(setup)) {
            std::fprintf(stderr, "run %d: a program did not show its window\n", run + 1);
            return 1;
        }
        std::printf("run %d: bare window %.1f ms, Setup.exe welcome page %.1f ms\n", run + 1, bare.times.back(),
                    setup.times.back());
    }
    const double bare_median = Median(bare.times);
    const double setup_median = Median(setup.times);
    std::printf("median of %d runs: bare window %.1f ms, Setup.exe welcome page %.1f ms\n", runs, bare_median,
                setup_median);
    std::printf("ratio (Setup.exe / bare window): %.2f\n", setup_median / bare_median);
    return 0;
}
