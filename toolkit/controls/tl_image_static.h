#pragma once
// A picture on a page, decoded from a PNG or JPEG file by the product's image library and drawn
// scaled to fit the control's box, keeping its proportions.

#include "toolkit/tl_control.h"
#include "toolkit/tl_painted_window.h"

class TLImageStatic : public TLControl, private TLPaintedWindow {
public:
    ~TLImageStatic() override;
    bool Create(TLWizardPageWnd& page, int id, const RECT& logical);
    // Shows the picture in the file; false (and the old picture kept) when it cannot be decoded.
    bool LoadFile(const TLString& path);
    bool HasPicture() const { return bitmap_ != nullptr; }
    HWND hwnd() const { return TLWindow::hwnd(); }
    void Place(UINT dpi) override;

private:
    void Paint(HDC dc, const RECT& client) override;

    HBITMAP bitmap_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    RECT logical_{};
};
