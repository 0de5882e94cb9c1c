#pragma once
// TLDialogHeaderCtrl: the band at the top of a wizard. Its text is formatted ("<b>Title</b>\r\n\t
// Subtitle"): bold stretches in the title font, following lines below, each tab indenting a line.
// The window text is the formatted text, so another program reads what the header says.

#include "toolkit/tl_window.h"

class TLDialogHeaderCtrl : public TLWindow {
public:
    bool Create(HWND parent, const RECT& rect, int id);
    void SetText(const TLString& formatted);
    // A picture drawn at the right end of the band; not owned.
    void SetIcon(HICON icon);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    void Paint(HDC dc);
    TLString text_;
    HICON icon_ = nullptr;
};
