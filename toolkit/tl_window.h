#pragma once
// TLWindow: a window of the toolkit's own classes, whose messages reach the object's HandleMessage.
// The object and its window live and die together: destroying the object destroys the window.

#include <windows.h>

#include "core/string/tl_string.h"

class TLWindow {
public:
    TLWindow() = default;
    virtual ~TLWindow();
    TLWindow(const TLWindow&) = delete;
    TLWindow& operator=(const TLWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    bool exists() const { return hwnd_ != nullptr; }

protected:
    // Registers the class on first use (the application unregisters it at exit) and creates the window.
    bool CreateOfClass(const wchar_t* class_name, DWORD ex_style, DWORD style, const TLString& text, const RECT& rect,
                       HWND parent, int id);
    virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
    // Called as the window is being destroyed, while hwnd() still names it.
    virtual void OnDestroyed() {}

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    HWND hwnd_ = nullptr;
};
