#pragma once
// TLWizardPopupWnd: the toolkit's wizard window. A popup with a header band at the top, the current
// page in the middle (500 x 300 logical pixels) and the button bar at the bottom, run modally until
// it is finished (result 1), cancelled (2) or closed with a code of its own; -1 when the window could
// not be made.

#include "toolkit/tl_window.h"
#include "toolkit/wizard/tl_click_guard.h"
#include "toolkit/wizard/tl_dialog_header_ctrl.h"
#include "toolkit/wizard/tl_popup_bottom_buttons_wnd.h"
#include "toolkit/wizard/tl_wizard_page_list.h"

class TLWizardPopupWnd : public TLWindow, public TLWizardPageList, private TLPopupBottomButtonsWnd::Listener {
public:
    enum Result : int { kNotCreated = -1, kFinished = 1, kCancelled = 2 };
    // Messages another part of the program (or a page) may post to the wizard. Unlike clicks, they
    // are not held back by the click guard.
    static constexpr UINT kGoBackMessage = 0x889D;
    static constexpr UINT kGoNextMessage = 0x889E;
    static constexpr UINT kCloseMessage = 0x889A;  // WPARAM: the result code
    // The page area, in logical pixels.
    static constexpr int kPageWidth = 500;
    static constexpr int kPageHeight = 300;

    TLWizardPopupWnd();
    ~TLWizardPopupWnd() override;

    // Makes the window, shows the first page and runs until the wizard ends; returns the result.
    int RunModal(HWND owner = nullptr);
    // Why the window could not be made (a Windows error code), after RunModal returned kNotCreated.
    DWORD creation_error() const { return creation_error_; }

    bool Finish() override;
    // The current page's OnCancel and OnDeactivate, then the end of the run with kCancelled.
    void Cancel();
    // Ends the run with `result`, whatever the page says.
    void CloseWithResult(int result);
    // Header, caption and buttons from the current page.
    void UpdateButtons() override;

    // The window's large and small icons, loaded from an icon file.
    void SetIconFile(const TLString& path);
    void SetNote(const TLString& text) { buttons_.SetNote(text); }
    const TLString& caption() const { return caption_; }
    const TLString& title() const { return title_; }
    const TLString& subtitle() const { return subtitle_; }

protected:
    // A request to close the window: the close box, Alt+F4, Escape. The toolkit cancels at once;
    // an application asks first.
    virtual void OnCloseRequest() { Cancel(); }
    // Right after the window is made, before the first page is shown.
    virtual void OnCreated() {}

    void CreatePageWindow(TLWizardPage& page) override;
    void ShowPageWindow(TLWizardPage& page, bool show) override;
    void RestartClickTimer() override { click_guard_.PageChanged(); }
    bool WindowExists() const override { return exists() && running_; }
    void Relayout() override;
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    void OnBottomButton(TLPopupBottomButtonsWnd::Button button) override;
    void EndRun(int result);
    // The client-area rectangles of the header, the page area and the button bar at `dpi`.
    struct Areas {
        RECT header, page, bar;
    };
    static Areas AreasAt(UINT dpi);
    void PlaceParts(UINT dpi);
    void LoadIcons(UINT dpi);

    TLDialogHeaderCtrl header_;
    TLPopupBottomButtonsWnd buttons_;
    TLClickGuard click_guard_;
    TLString caption_, title_, subtitle_;
    TLString icon_file_;
    HICON large_icon_ = nullptr;
    HICON small_icon_ = nullptr;
    int result_ = kCancelled;
    DWORD creation_error_ = ERROR_SUCCESS;
    UINT placed_dpi_ = 0;
    bool running_ = false;
};
