#pragma once
// Controls of the toolkit's pages. A control is placed in logical pixels of its page (whose area is
// 500 x 300) and keeps that placement, so that it can be scaled again when the page's DPI changes.

#include <windows.h>

#include "core/string/tl_string.h"
#include "toolkit/tl_metrics.h"

class TLWizardPageWnd;

namespace toolkit {
// A window's text.
TLString WindowText(HWND window);
// Registers the common controls' classes (ICC_PROGRESS_CLASS, ...) the first time they are needed.
void UseCommonControls(DWORD classes);
}  // namespace toolkit

class TLControl {
public:
    TLControl() = default;
    virtual ~TLControl() = default;
    TLControl(const TLControl&) = delete;
    TLControl& operator=(const TLControl&) = delete;

    // Moves and sizes the control's windows for `dpi` and gives them the fonts of that DPI.
    virtual void Place(UINT dpi) = 0;
    // A WM_COMMAND from one of the control's own windows; true when the control handled it.
    virtual bool OnCommand(int /*id*/, int /*code*/) { return false; }
    // A WM_NOTIFY from one of the control's own windows; true when the control answered it in `result`.
    virtual bool OnNotify(const NMHDR& /*header*/, LRESULT* /*result*/) { return false; }
};

// A control made of one standard window.
class TLChildControl : public TLControl {
public:
    ~TLChildControl() override;
    HWND hwnd() const { return hwnd_; }
    int id() const { return id_; }

    void SetText(const TLString& text);
    TLString Text() const;
    void Enable(bool enabled);
    void Show(bool shown);
    void Place(UINT dpi) override;

protected:
    // Creates the window on the page at `logical` and registers the control with the page.
    bool CreateChild(TLWizardPageWnd& page, const wchar_t* class_name, DWORD style, DWORD ex_style,
                     const TLString& text, int id, const RECT& logical,
                     toolkit::FontKind font = toolkit::FontKind::kNormal);

private:
    HWND hwnd_ = nullptr;
    int id_ = 0;
    RECT logical_{};
    toolkit::FontKind font_ = toolkit::FontKind::kNormal;
};
