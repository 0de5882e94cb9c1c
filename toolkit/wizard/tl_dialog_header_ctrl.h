#pragma once
// TLDialogHeaderCtrl: the band at the top of a wizard. Its text is formatted ("<b>Title</b>\r\n\t
// Subtitle"): bold stretches in the title font, following lines below, each tab indenting a line.
// The window text is the formatted text, so another program reads what the header says.

#include "toolkit/tl_painted_window.h"

class TLDialogHeaderCtrl : public TLPaintedWindow {
public:
    bool Create(HWND parent, const RECT& rect, int id);
    void SetText(const TLString& formatted);
    // A picture drawn at the right end of the band; not owned.
    void SetIcon(HICON icon);

protected:
    void Paint(HDC dc, const RECT& client) override;

private:
    TLString text_;
    HICON icon_ = nullptr;
};
