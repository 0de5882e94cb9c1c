#include "toolkit/controls/tl_image_static.h"

#include "toolkit/image/tl_image_loader.h"
#include "toolkit/tl_skin_colors.h"
#include "toolkit/wizard/tl_wizard_page_wnd.h"

TLImageStatic::~TLImageStatic() {
    if (bitmap_) DeleteObject(bitmap_);
}

bool TLImageStatic::Create(TLWizardPageWnd& page, int id, const RECT& logical) {
    logical_ = logical;
    if (!CreateOfClass(L"TLImageStatic", 0, WS_CHILD | WS_VISIBLE, TLString(), toolkit::ScaleRect(logical, page.dpi()),
                       page.hwnd(), id))
        return false;
    page.AddControl(this);
    return true;
}

bool TLImageStatic::LoadFile(const TLString& path) {
    int width = 0;
    int height = 0;
    HBITMAP bitmap = toolkit::DecodeImageFile(path, &width, &height);
    if (!bitmap) return false;
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = bitmap;
    width_ = width;
    height_ = height;
    InvalidateRect(hwnd(), nullptr, TRUE);
    return true;
}

void TLImageStatic::Place(UINT dpi) {
    const RECT rect = toolkit::ScaleRect(logical_, dpi);
    SetWindowPos(hwnd(), nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TLImageStatic::Paint(HDC dc, const RECT& client) {
    FillRect(dc, &client, toolkit::BrushOf(toolkit::Colors().page));
    if (!bitmap_ || width_ <= 0 || height_ <= 0) return;
    // As large as the box allows, proportions kept, centred.
    int width = client.right;
    int height = MulDiv(height_, width, width_);
    if (height > client.bottom) {
        height = client.bottom;
        width = MulDiv(width_, height, height_);
    }
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap_);
    SetStretchBltMode(dc, HALFTONE);
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, (client.right - width) / 2, (client.bottom - height) / 2, width, height, memory, 0, 0, width_,
               height_, blend);
    SelectObject(memory, old);
    DeleteDC(memory);
}
