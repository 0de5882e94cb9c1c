#include "toolkit/wizard/tl_wizard_page_wnd.h"

#include "toolkit/tl_metrics.h"
#include "toolkit/tl_skin_colors.h"

bool TLWizardPageWnd::Create(HWND parent, const RECT& area) {
    if (exists()) return true;
    dpi_ = toolkit::WindowDpi(parent);
    if (!CreateOfClass(L"TLWizardPageWnd", WS_EX_CONTROLPARENT, WS_CHILD | WS_CLIPCHILDREN, TLString(), area, parent,
                       0))
        return false;
    OnCreated();
    return true;
}

void TLWizardPageWnd::Rescale(const RECT& area, UINT dpi) {
    if (!exists()) return;
    dpi_ = dpi;
    SetWindowPos(hwnd(), nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    for (TLControl* control : controls_) control->Place(dpi);
}

void TLWizardPageWnd::StartTimer(UINT_PTR id, UINT milliseconds) {
    if (exists()) SetTimer(hwnd(), id, milliseconds, nullptr);
}

void TLWizardPageWnd::StopTimer(UINT_PTR id) {
    if (exists()) KillTimer(hwnd(), id);
}

LRESULT TLWizardPageWnd::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    LRESULT result = 0;
    if (toolkit::HandlePageColors(hwnd(), message, wparam, &result)) return result;
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wparam);
            const int code = HIWORD(wparam);
            for (TLControl* control : controls_)
                if (control->OnCommand(id, code)) return 0;
            OnCommand(id, code);
            return 0;
        }
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lparam);
            for (TLControl* control : controls_)
                if (control->OnNotify(header, &result)) return result;
            return TLWindow::HandleMessage(message, wparam, lparam);
        }
        case WM_TIMER:
            OnTimer(wparam);
            return 0;
        default:
            return TLWindow::HandleMessage(message, wparam, lparam);
    }
}
