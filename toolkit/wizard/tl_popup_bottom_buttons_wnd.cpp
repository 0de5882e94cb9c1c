#include "toolkit/wizard/tl_popup_bottom_buttons_wnd.h"

#include <algorithm>

#include "toolkit/tl_control.h"
#include "toolkit/tl_metrics.h"
#include "toolkit/tl_skin_colors.h"
#include "toolkit/wizard/tl_wizard_ids.h"

namespace {

constexpr int kButtonIds[] = {toolkit::kBackButtonId, toolkit::kNextButtonId, toolkit::kCancelButtonId};
constexpr int kMinimumButtonWidth = 88;
constexpr int kButtonHeight = 28;
constexpr int kTextPadding = 24;
constexpr int kGap = 8;
constexpr int kCancelGap = 16;
constexpr int kMargin = 24;

int TextWidth(HWND window, HFONT font) {
    const TLString text = toolkit::WindowText(window);
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.wc(), static_cast<int>(text.length()), &size);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return size.cx;
}

}  // namespace

bool TLPopupBottomButtonsWnd::Create(HWND parent, const RECT& rect, Listener& listener) {
    listener_ = &listener;
    if (!CreateOfClass(L"TLPopupBottomButtonsWnd", WS_EX_CONTROLPARENT, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                       TLString(), rect, parent, toolkit::kButtonBarId))
        return false;
    for (int i = 0; i < kButtonCount; ++i) {
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == kNext ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        buttons_[i] = CreateWindowExW(0, L"BUTTON", L"", style, 0, 0, 0, 0, hwnd(),
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonIds[i])),
                                      GetModuleHandleW(nullptr), nullptr);
    }
    note_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE, 0, 0, 0,
                            0, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(toolkit::kButtonBarNoteId)),
                            GetModuleHandleW(nullptr), nullptr);
    Layout();
    return true;
}

void TLPopupBottomButtonsWnd::SetButton(Button button, const TLString& text, bool enabled) {
    if (toolkit::WindowText(buttons_[button]) != text) SetWindowTextW(buttons_[button], text.wc());
    SetButtonEnabled(button, enabled);
}

void TLPopupBottomButtonsWnd::SetButtonEnabled(Button button, bool enabled) { EnableWindow(buttons_[button], enabled); }

void TLPopupBottomButtonsWnd::ShowBack(bool shown) {
    if (shown == back_shown_) return;
    back_shown_ = shown;
    ShowWindow(buttons_[kBack], shown ? SW_SHOWNA : SW_HIDE);
}

void TLPopupBottomButtonsWnd::SetNote(const TLString& text) { SetWindowTextW(note_, text.wc()); }

void TLPopupBottomButtonsWnd::Layout() {
    if (!exists() || !note_) return;
    const UINT dpi = toolkit::WindowDpi(hwnd());
    const HFONT font = toolkit::FontsFor(dpi).normal;
    RECT client;
    GetClientRect(hwnd(), &client);
    const int height = toolkit::Scale(kButtonHeight, dpi);
    const int top = (client.bottom - height) / 2;
    int right = client.right - toolkit::Scale(kMargin, dpi);
    // Right to left: Cancel, a wider gap, Next, Back.
    for (int i = kCancel; i >= kBack; --i) {
        SendMessageW(buttons_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        const int width = std::max(toolkit::Scale(kMinimumButtonWidth, dpi),
                                   TextWidth(buttons_[i], font) + toolkit::Scale(kTextPadding, dpi));
        SetWindowPos(buttons_[i], nullptr, right - width, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        InvalidateRect(buttons_[i], nullptr, TRUE);
        right -= width + toolkit::Scale(i == kCancel ? kCancelGap : kGap, dpi);
    }
    const int left = toolkit::Scale(kMargin, dpi);
    SendMessageW(note_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowPos(note_, nullptr, left, top, std::max(0, right - left), height, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TLPopupBottomButtonsWnd::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    LRESULT result = 0;
    if (toolkit::HandlePageColors(hwnd(), message, wparam, &result)) return result;
    switch (message) {
        case WM_SIZE:
            Layout();
            return 0;
        case WM_COMMAND:
            if (HIWORD(wparam) == BN_CLICKED) {
                for (int i = 0; i < kButtonCount; ++i)
                    if (LOWORD(wparam) == kButtonIds[i]) listener_->OnBottomButton(static_cast<Button>(i));
            }
            return 0;
        default:
            return TLWindow::HandleMessage(message, wparam, lparam);
    }
}
