#pragma once
// Radio buttons, each with a name and a description below it; exactly one is selected. The buttons'
// identifiers follow one another from the first one given.

#include <vector>

#include "toolkit/tl_control.h"

class TLRadioGroup : public TLControl {
public:
    struct Choice {
        TLString name;
        TLString description;
    };

    ~TLRadioGroup() override;
    // Lays the choices out from the top of `logical` down, each description wrapped at its width;
    // choice 0 is selected.
    bool Create(TLWizardPageWnd& page, int first_id, const RECT& logical, const std::vector<Choice>& choices);
    // The selected choice, or -1 when none is.
    int Selected() const;
    void Select(int index);
    void Place(UINT dpi) override;

private:
    struct Item {
        HWND radio;
        HWND description;
    };
    std::vector<Item> items_;
    RECT logical_{};
};
