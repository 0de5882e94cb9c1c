#pragma once
// TLPaintedWindow: a window that draws all of itself. It is drawn off screen first and then shown
// at once, so that a changing title or picture does not flicker.

#include "toolkit/tl_window.h"

class TLPaintedWindow : public TLWindow {
protected:
    virtual void Paint(HDC dc, const RECT& client) = 0;
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
};
