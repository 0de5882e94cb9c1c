#pragma once
// Read-only text of any length (an agreement, a note) with a vertical scroll bar.

#include "toolkit/tl_control.h"

class TLTextView : public TLChildControl {
public:
    bool Create(TLWizardPageWnd& page, int id, const RECT& logical, const TLString& text) {
        return CreateChild(page, L"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
                           WS_EX_CLIENTEDGE, text, id, logical);
    }
};
