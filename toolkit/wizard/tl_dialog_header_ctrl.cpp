#include "toolkit/wizard/tl_dialog_header_ctrl.h"

#include <algorithm>

#include "toolkit/header_markup.h"
#include "toolkit/tl_metrics.h"
#include "toolkit/tl_skin_colors.h"

namespace {

constexpr int kPadding = 20;
constexpr int kTop = 11;
constexpr int kIndent = 16;
constexpr int kLineGap = 3;
constexpr int kIconSize = 32;

}  // namespace

bool TLDialogHeaderCtrl::Create(HWND parent, const RECT& rect, int id) {
    return CreateOfClass(L"TLDialogHeaderCtrl", 0, WS_CHILD | WS_VISIBLE, TLString(), rect, parent, id);
}

void TLDialogHeaderCtrl::SetText(const TLString& formatted) {
    if (formatted == text_) return;
    text_ = formatted;
    SetWindowTextW(hwnd(), text_.wc());
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void TLDialogHeaderCtrl::SetIcon(HICON icon) {
    icon_ = icon;
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void TLDialogHeaderCtrl::Paint(HDC dc, const RECT& client) {
    const UINT dpi = toolkit::WindowDpi(hwnd());
    const toolkit::SkinColors& colors = toolkit::Colors();
    const toolkit::Fonts& fonts = toolkit::FontsFor(dpi);
    FillRect(dc, &client, toolkit::BrushOf(colors.header));

    int right = client.right - toolkit::Scale(kPadding, dpi);
    if (icon_) {
        const int size = toolkit::Scale(kIconSize, dpi);
        right -= size;
        DrawIconEx(dc, right, (client.bottom - size) / 2, icon_, size, size, 0, nullptr, DI_NORMAL);
        right -= toolkit::Scale(kPadding, dpi);
    }

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colors.header_text);
    int y = toolkit::Scale(kTop, dpi);
    bool first = true;
    for (const toolkit::MarkupLine& line : toolkit::ParseMarkup(text_)) {
        int x = toolkit::Scale(kPadding + kIndent * line.indent, dpi);
        int height = 0;
        for (const toolkit::MarkupRun& run : line.runs) {
            // The first line is the title: its bold stretches are drawn in the title font.
            HFONT font = run.bold ? (first ? fonts.title : fonts.bold) : fonts.normal;
            HGDIOBJ old = SelectObject(dc, font);
            // A line of one stretch (the usual subtitle) wraps rather than being cut.
            const UINT format = DT_NOPREFIX | (line.runs.size() == 1 ? DT_WORDBREAK : DT_SINGLELINE | DT_END_ELLIPSIS);
            RECT box = {x, y, right, client.bottom};
            DrawTextW(dc, run.text.wc(), static_cast<int>(run.text.length()), &box, format | DT_CALCRECT);
            box.right = std::min<LONG>(box.right, right);
            DrawTextW(dc, run.text.wc(), static_cast<int>(run.text.length()), &box, format);
            SelectObject(dc, old);
            x = box.right;
            height = std::max<int>(height, box.bottom - box.top);
        }
        y += height + toolkit::Scale(kLineGap, dpi);
        first = false;
    }
}
