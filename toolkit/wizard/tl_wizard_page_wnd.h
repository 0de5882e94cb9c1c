#pragma once
// TLWizardPageWnd: a wizard page as a child window of the wizard, made the first time the wizard
// reaches it. It paints the page's background, hands its controls' commands to them and its timers
// to OnTimer, and keeps its controls placed for its DPI.

#include <vector>

#include "toolkit/tl_control.h"
#include "toolkit/tl_window.h"
#include "toolkit/wizard/tl_wizard_page.h"

class TLWizardPageWnd : public TLWindow, public TLWizardPage {
public:
    // Makes the page's window (hidden) at `area` of `parent`, then lets the page build its controls.
    bool Create(HWND parent, const RECT& area);
    UINT dpi() const { return dpi_; }
    // Called by the toolkit's controls as they are made.
    void AddControl(TLControl* control) { controls_.push_back(control); }
    // Places the page and its controls again for a new DPI.
    void Rescale(const RECT& area, UINT dpi);

    void StartTimer(UINT_PTR id, UINT milliseconds);
    void StopTimer(UINT_PTR id);

protected:
    // Right after the window is made: the page builds its controls here.
    virtual void OnCreated() {}
    virtual void OnTimer(UINT_PTR /*id*/) {}
    // A command of one of the page's windows that no toolkit control took.
    virtual void OnCommand(int /*id*/, int /*code*/) {}
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void OnDestroyed() override { controls_.clear(); }

private:
    UINT dpi_ = 96;
    std::vector<TLControl*> controls_;
};
