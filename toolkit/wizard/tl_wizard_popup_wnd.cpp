#include "toolkit/wizard/tl_wizard_popup_wnd.h"

#include <algorithm>

#include "core/tools/tools.h"
#include "toolkit/header_markup.h"
#include "toolkit/tl_metrics.h"
#include "toolkit/tl_skin_colors.h"
#include "toolkit/wizard/tl_wizard_ids.h"
#include "toolkit/wizard/tl_wizard_page_wnd.h"

namespace {

// Logical layout: the header band, a rule, the page area with the page centred in it, a rule and
// the button bar.
// Room for the title and three lines of subtitle.
constexpr int kHeaderHeight = 76;
constexpr int kRule = 1;
constexpr int kPageMarginX = 24;
constexpr int kPageMarginY = 16;
constexpr int kBarHeight = 52;
constexpr int kClientWidth = TLWizardPopupWnd::kPageWidth + 2 * kPageMarginX;
constexpr int kClientHeight =
    kHeaderHeight + kRule + kPageMarginY + TLWizardPopupWnd::kPageHeight + kPageMarginY + kRule + kBarHeight;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;

RECT FrameFor(UINT dpi) {
    using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = reinterpret_cast<AdjustForDpi>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    RECT frame = {0, 0, toolkit::Scale(kClientWidth, dpi), toolkit::Scale(kClientHeight, dpi)};
    if (!adjust || !adjust(&frame, kStyle, FALSE, kExStyle, dpi)) AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    return frame;
}

}  // namespace

TLWizardPopupWnd::TLWizardPopupWnd() = default;

TLWizardPopupWnd::~TLWizardPopupWnd() {
    if (large_icon_) DestroyIcon(large_icon_);
    if (small_icon_) DestroyIcon(small_icon_);
}

TLWizardPopupWnd::Areas TLWizardPopupWnd::AreasAt(UINT dpi) {
    using toolkit::Scale;
    const int width = Scale(kClientWidth, dpi);
    const int header = Scale(kHeaderHeight, dpi);
    const int page_top = header + Scale(kRule + kPageMarginY, dpi);
    const int bar_top = Scale(kClientHeight - kBarHeight, dpi);
    Areas areas{};
    areas.header = {0, 0, width, header};
    areas.page = {Scale(kPageMarginX, dpi), page_top, Scale(kPageMarginX + kPageWidth, dpi),
                  page_top + Scale(kPageHeight, dpi)};
    areas.bar = {0, bar_top, width, Scale(kClientHeight, dpi)};
    return areas;
}

int TLWizardPopupWnd::RunModal(HWND owner) {
    // Made at its final place and size at once: every move of a window costs time before it is seen.
    const UINT dpi = toolkit::WindowDpi(nullptr);
    const RECT frame = FrameFor(dpi);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const LONG width = frame.right - frame.left;
    const LONG height = frame.bottom - frame.top;
    const LONG left = work.left + std::max(0L, (work.right - work.left - width) / 2);
    const LONG top = work.top + std::max(0L, (work.bottom - work.top - height) / 2);
    if (!CreateOfClass(L"TLWizardPopupWnd", kExStyle, kStyle, caption_, RECT{left, top, left + width, top + height},
                       owner, 0)) {
        // Nothing can be shown or installed without the window: the caller must tell the person why.
        creation_error_ = GetLastError();
        tools::LogFormat(u"TLWizardPopupWnd::RunModal", u"The wizard window could not be created (error %d)",
                         static_cast<int>(creation_error_));
        return kNotCreated;
    }
    placed_dpi_ = toolkit::WindowDpi(hwnd());
    const Areas areas = AreasAt(placed_dpi_);
    header_.Create(hwnd(), areas.header, toolkit::kHeaderId);
    buttons_.Create(hwnd(), areas.bar, *this);
    buttons_.SetButton(TLPopupBottomButtonsWnd::kCancel, tools::Translate(u"Cancel"), true);

    running_ = true;
    OnCreated();
    SetActivePage(0, false);
    if (running_) {
        ShowWindow(hwnd(), SW_SHOW);
        SetForegroundWindow(hwnd());
    }
    if (owner) EnableWindow(owner, FALSE);
    while (running_) {
        MSG message;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            // A quit request belongs to the loop outside; hand it on and end with what was decided so far.
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (IsDialogMessageW(hwnd(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    running_ = false;
    if (owner) EnableWindow(owner, TRUE);
    DestroyWindow(hwnd());
    return result_;
}

void TLWizardPopupWnd::EndRun(int result) {
    result_ = result;
    if (!running_) return;
    running_ = false;
    // The window goes when the loop ends; hiding it first costs Wine a wait for the window manager.
    PostMessageW(hwnd(), WM_NULL, 0, 0);
}

bool TLWizardPopupWnd::Finish() {
    EndRun(kFinished);
    return true;
}

void TLWizardPopupWnd::Cancel() {
    if (TLWizardPage* page = PageAt()) {
        page->OnCancel();
        page->OnDeactivate();
    }
    EndRun(kCancelled);
}

void TLWizardPopupWnd::CloseWithResult(int result) { EndRun(result); }

void TLWizardPopupWnd::CreatePageWindow(TLWizardPage& page) {
    auto* window = dynamic_cast<TLWizardPageWnd*>(&page);
    if (!window || window->exists()) return;
    window->Create(hwnd(), AreasAt(toolkit::WindowDpi(hwnd())).page);
}

void TLWizardPopupWnd::ShowPageWindow(TLWizardPage& page, bool show) {
    auto* window = dynamic_cast<TLWizardPageWnd*>(&page);
    if (!window || !window->exists()) return;
    if (show) {
        SetWindowLongPtrW(window->hwnd(), GWLP_ID, toolkit::kFirstPageId + page.IndexInList());
        tools::LogFormat(u"TLWizardPopupWnd::ShowPage", u"Page %d \"%s\" shown", page.IndexInList(), page.GetTitle());
    }
    ShowWindow(window->hwnd(), show ? SW_SHOW : SW_HIDE);
}

void TLWizardPopupWnd::UpdateButtons() {
    TLWizardPage* page = PageAt();
    if (!page || !exists()) return;
    using Bar = TLPopupBottomButtonsWnd;
    buttons_.SetButton(Bar::kBack, page->GetBackText(), page->IsBackEnabled());
    buttons_.ShowBack(PageCount() > 1);
    buttons_.SetButton(Bar::kNext, page->GetNextText(), page->IsNextEnabled());
    buttons_.SetButton(Bar::kCancel, page->GetCancelText(), page->IsCancelEnabled());
    caption_ = page->GetCaption();
    title_ = page->GetTitle();
    subtitle_ = page->GetSubtitle();
    SetWindowTextW(hwnd(), caption_.wc());
    header_.SetText(toolkit::HeaderText(title_, subtitle_));
    // A button that had the focus may just have been disabled; the keyboard goes on from Next.
    HWND focus = GetFocus();
    HWND next = buttons_.ButtonWindow(Bar::kNext);
    if ((!focus || !IsWindowEnabled(focus)) && IsWindowEnabled(next)) SetFocus(next);
    Relayout();
}

void TLWizardPopupWnd::Relayout() {
    const UINT dpi = toolkit::WindowDpi(hwnd());
    // The parts only move when the DPI changes; the buttons follow their texts.
    if (dpi == placed_dpi_)
        buttons_.Layout();
    else
        PlaceParts(dpi);
}

void TLWizardPopupWnd::PlaceParts(UINT dpi) {
    placed_dpi_ = dpi;
    const Areas areas = AreasAt(dpi);
    auto place = [](HWND window, const RECT& rect) {
        SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(header_.hwnd(), areas.header);
    place(buttons_.hwnd(), areas.bar);
    buttons_.Layout();
    for (int i = 0; i < PageCount(); ++i)
        if (auto* page = dynamic_cast<TLWizardPageWnd*>(PageAt(i))) {
            if (page->dpi() != dpi) page->Rescale(areas.page, dpi);
        }
}

void TLWizardPopupWnd::SetIconFile(const TLString& path) {
    icon_file_ = path;
    LoadIcons(toolkit::WindowDpi(hwnd()));
}

void TLWizardPopupWnd::LoadIcons(UINT dpi) {
    if (icon_file_.empty() || !exists()) return;
    if (large_icon_) DestroyIcon(large_icon_);
    if (small_icon_) DestroyIcon(small_icon_);
    auto load = [&](int size) {
        const int pixels = toolkit::Scale(size, dpi);
        return static_cast<HICON>(LoadImageW(nullptr, icon_file_.wc(), IMAGE_ICON, pixels, pixels, LR_LOADFROMFILE));
    };
    large_icon_ = load(32);
    small_icon_ = load(16);
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large_icon_));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_));
    header_.SetIcon(large_icon_);
}

void TLWizardPopupWnd::OnBottomButton(TLPopupBottomButtonsWnd::Button button) {
    if (button == TLPopupBottomButtonsWnd::kCancel) {
        TLWizardPage* page = PageAt();
        if (page && page->IsCancelEnabled()) Cancel();
        return;
    }
    if (!click_guard_.LetsClickThrough()) {
        tools::Log(u"TLWizardPopupWnd::OnBottomButton", u"Click right after a page change ignored");
        return;
    }
    if (button == TLPopupBottomButtonsWnd::kBack) GoBack();
    if (button == TLPopupBottomButtonsWnd::kNext) GoNext();
}

LRESULT TLWizardPopupWnd::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case kGoBackMessage:
            GoBack();
            return 0;
        case kGoNextMessage:
            GoNext();
            return 0;
        case kCloseMessage:
            CloseWithResult(static_cast<int>(wparam));
            return 0;
        case WM_SYSCOMMAND:
            if ((wparam & 0xFFF0) == SC_CLOSE) {
                OnCloseRequest();
                return 0;
            }
            break;
        case WM_CLOSE:
            OnCloseRequest();
            return 0;
        case WM_COMMAND:
            if (LOWORD(wparam) == IDCANCEL && HIWORD(wparam) == 0) {
                OnCloseRequest();
                return 0;
            }
            // Enter anywhere in the wizard means Next, as a click on it would.
            if (LOWORD(wparam) == IDOK) {
                if (IsWindowEnabled(buttons_.ButtonWindow(TLPopupBottomButtonsWnd::kNext)))
                    OnBottomButton(TLPopupBottomButtonsWnd::kNext);
                return 0;
            }
            break;
        case WM_ERASEBKGND: {
            HDC dc = reinterpret_cast<HDC>(wparam);
            const toolkit::SkinColors& colors = toolkit::Colors();
            const UINT dpi = toolkit::WindowDpi(hwnd());
            const Areas areas = AreasAt(dpi);
            RECT client;
            GetClientRect(hwnd(), &client);
            FillRect(dc, &client, toolkit::BrushOf(colors.page));
            const int rule = std::max(1, toolkit::Scale(kRule, dpi));
            RECT top = {0, areas.header.bottom, client.right, areas.header.bottom + rule};
            RECT bottom = {0, areas.bar.top - rule, client.right, areas.bar.top};
            FillRect(dc, &top, toolkit::BrushOf(colors.line));
            FillRect(dc, &bottom, toolkit::BrushOf(colors.line));
            return 1;
        }
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(lparam);
            SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            PlaceParts(HIWORD(wparam));
            LoadIcons(HIWORD(wparam));
            InvalidateRect(hwnd(), nullptr, TRUE);
            return 0;
        }
        default:
            break;
    }
    return TLWindow::HandleMessage(message, wparam, lparam);
}
