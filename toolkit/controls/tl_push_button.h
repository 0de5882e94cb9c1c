#pragma once
// A push button on a page; the page hears of a press through its OnCommand.

#include "toolkit/tl_control.h"

class TLPushButton : public TLChildControl {
public:
    bool Create(TLWizardPageWnd& page, int id, const RECT& logical, const TLString& text) {
        return CreateChild(page, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, text, id, logical);
    }
};
