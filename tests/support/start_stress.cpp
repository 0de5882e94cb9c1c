// start_stress.exe RUNS SETUP_EXE OTHER_FOLDER [FIRST_WAY]: starts Setup.exe RUNS times, one way after
// the other, and counts the starts whose wizard never appeared. The ways are those of the people who
// start it: from its own folder, from another current folder, as the shell opens a double-clicked
// file, and through a launcher program (a distributor's script run by cmd.exe). Each start ends with
// the wizard closed as "cancelled", before the next begins.
// Prints one line per failed start and "failed starts: N of RUNS"; exits 1 when N is not 0.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "tests/support/window_driver.h"
#include "toolkit/wizard/tl_wizard_ids.h"
#include "toolkit/wizard/tl_wizard_popup_wnd.h"

namespace {

constexpr DWORD kWizardTimeoutMs = 60000;

enum Way { kFromItsFolder, kFromAnotherFolder, kAsTheShellOpensIt, kThroughALauncher, kWays };

const char* WayName(int way) {
    switch (way) {
        case kFromItsFolder: return "from its folder";
        case kFromAnotherFolder: return "from another folder";
        case kAsTheShellOpensIt: return "opened by the shell";
        default: return "through a launcher";
    }
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\') + 1); }

// The process whose end means that the start is over: Setup.exe itself, or the launcher waiting for it.
HANDLE Start(int way, const std::wstring& setup, const std::wstring& other_folder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring command;
    std::wstring folder;
    switch (way) {
        case kFromItsFolder:
            command = L"\"" + setup + L"\"";
            folder = FolderOf(setup);
            break;
        case kFromAnotherFolder:
            command = L"\"" + setup + L"\"";
            folder = other_folder;
            break;
        case kAsTheShellOpensIt: {
            SHELLEXECUTEINFOW execute{};
            execute.cbSize = sizeof execute;
            execute.fMask = SEE_MASK_NOCLOSEPROCESS;
            execute.lpVerb = L"open";
            execute.lpFile = setup.c_str();
            execute.nShow = SW_SHOWNORMAL;
            return ShellExecuteExW(&execute) ? execute.hProcess : nullptr;
        }
        default:
            command = L"cmd.exe /c start \"\" /wait \"" + setup + L"\" /DistributorID Stress";
            folder = other_folder;
            break;
    }
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

// The wizard with its first page shown, of whichever process shows it (one Setup.exe runs at a time).
HWND ShownWizard() {
    HWND wizard = tltest::FindVisibleWindow(0, u"TLWizardPopupWnd");
    if (!wizard) return nullptr;
    HWND page = GetDlgItem(wizard, toolkit::kFirstPageId);
    return page && IsWindowVisible(page) ? wizard : nullptr;
}

bool RunOnce(int way, const std::wstring& setup, const std::wstring& other_folder) {
    HANDLE process = Start(way, setup, other_folder);
    if (!process) return false;
    HWND wizard = nullptr;
    const ULONGLONG start = GetTickCount64();
    while (!(wizard = ShownWizard()) && GetTickCount64() - start < kWizardTimeoutMs &&
           WaitForSingleObject(process, 20) == WAIT_TIMEOUT) {
    }
    if (wizard) PostMessageW(wizard, TLWizardPopupWnd::kCloseMessage, TLWizardPopupWnd::kCancelled, 0);
    if (WaitForSingleObject(process, 30000) != WAIT_OBJECT_0) TerminateProcess(process, 1);
    CloseHandle(process);
    return wizard != nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: start_stress RUNS SETUP_EXE OTHER_FOLDER [FIRST_WAY]\n");
        return 2;
    }
    const int runs = _wtoi(argv[1]);
    const std::wstring setup = argv[2];
    const std::wstring other_folder = argv[3];
    const int first_way = argc > 4 ? _wtoi(argv[4]) : 0;
    int failed = 0;
    for (int run = 0; run < runs; ++run) {
        const int way = (first_way + run) % kWays;
        if (RunOnce(way, setup, other_folder)) continue;
        ++failed;
        std::printf("start %d (%s): no wizard\n", run + 1, WayName(way));
        std::fflush(stdout);
    }
    std::printf("failed starts: %d of %d\n", failed, runs);
    return failed == 0 ? 0 : 1;
}
