#include "toolkit/controls/tl_radio_group.h"

#include "toolkit/wizard/tl_wizard_page_wnd.h"

namespace {

constexpr int kRadioHeight = 20;
constexpr int kDescriptionIndent = 20;
constexpr int kItemGap = 10;

// The height `text` needs when wrapped at `width` pixels in `font`.
int WrappedHeight(HWND window, HFONT font, const TLString& text, int width) {
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, font);
    RECT box = {0, 0, width, 0};
    DrawTextW(dc, text.wc(), -1, &box, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return box.bottom;
}

}  // namespace

TLRadioGroup::~TLRadioGroup() {
    for (const Item& item : items_) {
        if (IsWindow(item.radio)) DestroyWindow(item.radio);
        if (IsWindow(item.description)) DestroyWindow(item.description);
    }
}

bool TLRadioGroup::Create(TLWizardPageWnd& page, int first_id, const RECT& logical,
                          const std::vector<Choice>& choices) {
    logical_ = logical;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (size_t i = 0; i < choices.size(); ++i) {
        const DWORD group = i == 0 ? WS_GROUP | WS_TABSTOP : 0;
        HWND radio = CreateWindowExW(0, L"BUTTON", choices[i].name.wc(),
                                     WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | group, 0, 0, 0, 0, page.hwnd(),
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(first_id + i)), instance, nullptr);
        HWND description =
            CreateWindowExW(0, L"STATIC", choices[i].description.wc(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0,
                            0, 0, 0, page.hwnd(), nullptr, instance, nullptr);
        if (!radio || !description) return false;
        items_.push_back({radio, description});
    }
    page.AddControl(this);
    Place(page.dpi());
    Select(0);
    return true;
}

int TLRadioGroup::Selected() const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (SendMessageW(items_[i].radio, BM_GETCHECK, 0, 0) == BST_CHECKED) return static_cast<int>(i);
    return -1;
}

void TLRadioGroup::Select(int index) {
    for (size_t i = 0; i < items_.size(); ++i)
        SendMessageW(items_[i].radio, BM_SETCHECK, static_cast<int>(i) == index ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TLRadioGroup::Place(UINT dpi) {
    using toolkit::Scale;
    const toolkit::Fonts& fonts = toolkit::FontsFor(dpi);
    const int left = Scale(logical_.left, dpi);
    const int width = Scale(logical_.right - logical_.left, dpi);
    const int indent = Scale(kDescriptionIndent, dpi);
    int y = Scale(logical_.top, dpi);
    for (const Item& item : items_) {
        SendMessageW(item.radio, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.bold), FALSE);
        SetWindowPos(item.radio, nullptr, left, y, width, Scale(kRadioHeight, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
        y += Scale(kRadioHeight, dpi);
        const int height =
            WrappedHeight(item.description, fonts.normal, toolkit::WindowText(item.description), width - indent);
        SendMessageW(item.description, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.normal), FALSE);
        SetWindowPos(item.description, nullptr, left + indent, y, width - indent, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        y += height + Scale(kItemGap, dpi);
    }
}
