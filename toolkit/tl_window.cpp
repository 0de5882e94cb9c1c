#include "toolkit/tl_window.h"

#include "core/app/tl_app.h"
#include "core/tools/tools.h"
#include "core/windows/fault_seam.h"

namespace {

// Registers the class with the module's instance handle the first time one of its windows is made
// (the application unregisters it at exit). False, with Windows' error left, when it is refused.
bool RegisterOnce(const wchar_t* class_name, WNDPROC procedure) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, class_name, &existing)) return true;
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.lpszClassName = class_name;
    if (!RegisterClassExW(&window_class)) {
        const DWORD error = GetLastError();
        tools::LogFormat(u"TLWindow::CreateOfClass", u"The window class \"%s\" could not be registered (error %d)",
                         TLString(class_name), static_cast<int>(error));
        SetLastError(error);
        return false;
    }
    if (TLApp* app = TLApp::Instance()) app->AddWindowClass(TLString(class_name));
    return true;
}

}  // namespace

TLWindow::~TLWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

bool TLWindow::CreateOfClass(const wchar_t* class_name, DWORD ex_style, DWORD style, const TLString& text,
                             const RECT& rect, HWND parent, int id) {
    if (tlwin::PlantedError(tlwin::FaultCall::kWindowCreate) != ERROR_SUCCESS) return false;
    if (!RegisterOnce(class_name, Procedure)) return false;
    const auto menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr;
    // The class lookup before the registration leaves an error behind, which a failed creation that
    // sets none would otherwise be taken for.
    SetLastError(ERROR_SUCCESS);
    CreateWindowExW(ex_style, class_name, text.wc(), style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent, menu, GetModuleHandleW(nullptr), this);
    return hwnd_ != nullptr;
}

LRESULT TLWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcW(hwnd_, message, wparam, lparam);
}

LRESULT CALLBACK TLWindow::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TLWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        self->hwnd_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TLWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        self->OnDestroyed();
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcW(window, message, wparam, lparam);
    }
    return self->HandleMessage(message, wparam, lparam);
}
