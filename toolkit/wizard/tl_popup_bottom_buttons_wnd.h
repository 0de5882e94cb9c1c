#pragma once
// TLPopupBottomButtonsWnd: the bar at the bottom of a wizard with Back, Next and Cancel on the right
// and a short note on the left. A click is handed to the listener; the bar decides nothing itself.

#include "toolkit/tl_window.h"

class TLPopupBottomButtonsWnd : public TLWindow {
public:
    enum Button { kBack, kNext, kCancel, kButtonCount };

    class Listener {
    public:
        virtual void OnBottomButton(Button button) = 0;

    protected:
        ~Listener() = default;
    };

    bool Create(HWND parent, const RECT& rect, Listener& listener);
    // Takes effect in the layout at the next Layout().
    void SetButton(Button button, const TLString& text, bool enabled);
    void SetButtonEnabled(Button button, bool enabled);
    // Back takes part in the bar only when there is somewhere to go back to.
    void ShowBack(bool shown);
    void SetNote(const TLString& text);
    HWND ButtonWindow(Button button) const { return buttons_[button]; }
    // Lays the buttons out again (after a text or DPI change).
    void Layout();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    Listener* listener_ = nullptr;
    HWND buttons_[kButtonCount] = {};
    HWND note_ = nullptr;
    bool back_shown_ = true;
};
