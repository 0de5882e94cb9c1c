// The stand-in of the product's main program. Started with "/Register" or "/Stop" it answers the
// command and ends; otherwise it shows its main window (class "QVFrame"), through which the tools
// library finds the running product, hands it command lines (WM_COPYDATA) and closes it (WM_CLOSE).
#include <windows.h>

#include "product/main_program/program_commands.h"

namespace {

constexpr wchar_t kMainWindowClass[] = L"QVFrame";

LRESULT CALLBACK MainWindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COPYDATA: {
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
            if (data->dwData != 1 || data->cbData < sizeof(wchar_t)) return FALSE;
            product_program::Log(u"Received " + TLString(static_cast<const char16_t*>(data->lpData),
                                                         data->cbData / sizeof(char16_t) - 1));
            return TRUE;
        }
        case WM_CLOSE:
            product_program::Log(TLString::Format(u"Closing (WM_CLOSE, wParam %d)", static_cast<int>(wparam)));
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wparam, lparam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
    const TLString argument = product_program::FirstArgument();
    if (product_program::IsKnownCommand(argument)) {
        product_program::AnswerCommand(argument);
        return 0;
    }
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = MainWindowProcedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszClassName = kMainWindowClass;
    if (!RegisterClassW(&window_class)) return 1;
    HWND window = CreateWindowExW(0, kMainWindowClass, L"Tonehall", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  640, 480, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, show_command);
    product_program::Log(u"Main window open");
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    product_program::Log(u"Ended");
    return 0;
}
