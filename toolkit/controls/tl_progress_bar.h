#pragma once
// A progress bar with a 32-bit range.

#include <commctrl.h>

#include "toolkit/tl_control.h"

class TLProgressBar : public TLChildControl {
public:
    bool Create(TLWizardPageWnd& page, int id, const RECT& logical) {
        toolkit::UseCommonControls(ICC_PROGRESS_CLASS);
        return CreateChild(page, PROGRESS_CLASSW, PBS_SMOOTH, 0, TLString(), id, logical);
    }
    void SetRange(int minimum, int maximum) { SendMessageW(hwnd(), PBM_SETRANGE32, minimum, maximum); }
    // Redraws only when the position changes.
    void SetPosition(int position) {
        if (static_cast<int>(SendMessageW(hwnd(), PBM_GETPOS, 0, 0)) != position)
            SendMessageW(hwnd(), PBM_SETPOS, position, 0);
    }
    int Position() const { return static_cast<int>(SendMessageW(hwnd(), PBM_GETPOS, 0, 0)); }
};
