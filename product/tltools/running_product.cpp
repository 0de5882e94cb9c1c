#include "product/tltools/running_product.h"

#include <windows.h>

namespace tltools_dll {

void* CRunningProduct::MainWindow() { return FindWindowW(reinterpret_cast<const wchar_t*>(kMainWindowClass), nullptr); }

bool CRunningProduct::Close(uint32_t timeout_ms) {
    HWND window = static_cast<HWND>(MainWindow());
    if (!window) return true;
    DWORD process_id = 0;
    GetWindowThreadProcessId(window, &process_id);
    PostMessageW(window, WM_CLOSE, 0, 0);
    const ULONGLONG start = GetTickCount64();
    const auto remaining = [&] {
        const ULONGLONG waited = GetTickCount64() - start;
        return waited >= timeout_ms ? DWORD{0} : static_cast<DWORD>(timeout_ms - waited);
    };
    while (IsWindow(window) && remaining() > 0) Sleep(50);
    if (IsWindow(window)) return false;
    // The product has closed its window; it is gone once its process has ended too.
    if (process_id == GetCurrentProcessId()) return true;
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, process_id);
    if (!process) return true;
    const bool ended = WaitForSingleObject(process, remaining()) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

bool CRunningProduct::PostCommandLine(const TLString& command_line) {
    HWND window = static_cast<HWND>(MainWindow());
    if (!window) return false;
    COPYDATASTRUCT data{};
    data.dwData = 1;
    data.cbData = static_cast<DWORD>((command_line.length() + 1) * sizeof(char16_t));
    data.lpData = const_cast<char16_t*>(command_line.c_str());
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000,
                               &answer) != 0;
}

}  // namespace tltools_dll
