#include "toolkit/tl_control.h"

#include <commctrl.h>

#include "toolkit/tl_metrics.h"
#include "toolkit/wizard/tl_wizard_page_wnd.h"

namespace toolkit {

TLString WindowText(HWND window) {
    if (!window) return TLString();
    const int length = GetWindowTextLengthW(window);
    TLString text;
    wchar_t* buffer = reinterpret_cast<wchar_t*>(text.GetBuffer(length + 1));
    const int copied = GetWindowTextW(window, buffer, length + 1);
    text.ReleaseBuffer(copied > 0 ? copied : 0);
    return text;
}

void UseCommonControls(DWORD classes) {
    static DWORD registered = 0;
    if ((registered & classes) == classes) return;
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = classes;
    if (InitCommonControlsEx(&controls)) registered |= classes;
}

}  // namespace toolkit

TLChildControl::~TLChildControl() {
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

bool TLChildControl::CreateChild(TLWizardPageWnd& page, const wchar_t* class_name, DWORD style, DWORD ex_style,
                                 const TLString& text, int id, const RECT& logical, toolkit::FontKind font) {
    id_ = id;
    logical_ = logical;
    font_ = font;
    hwnd_ = CreateWindowExW(ex_style, class_name, text.wc(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, page.hwnd(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) return false;
    page.AddControl(this);
    Place(page.dpi());
    return true;
}

void TLChildControl::Place(UINT dpi) {
    if (!hwnd_) return;
    const RECT rect = toolkit::ScaleRect(logical_, dpi);
    SetWindowPos(hwnd_, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(toolkit::FontOf(font_, dpi)), TRUE);
}

void TLChildControl::SetText(const TLString& text) {
    if (hwnd_) SetWindowTextW(hwnd_, text.wc());
}

TLString TLChildControl::Text() const { return toolkit::WindowText(hwnd_); }

void TLChildControl::Enable(bool enabled) {
    if (hwnd_) EnableWindow(hwnd_, enabled);
}

void TLChildControl::Show(bool shown) {
    if (hwnd_) ShowWindow(hwnd_, shown ? SW_SHOWNA : SW_HIDE);
}
