#pragma once
// A line or paragraph of text on a page; it wraps at its width.

#include "toolkit/tl_control.h"

class TLLabel : public TLChildControl {
public:
    bool Create(TLWizardPageWnd& page, int id, const RECT& logical, const TLString& text,
                toolkit::FontKind font = toolkit::FontKind::kNormal) {
        return CreateChild(page, L"STATIC", SS_LEFT | SS_NOPREFIX, 0, text, id, logical, font);
    }
};
