#pragma once
// A check box with its label; the person ticks it, the page reads it when it is left.

#include "toolkit/tl_control.h"

class TLCheckBox : public TLChildControl {
public:
    bool Create(TLWizardPageWnd& page, int id, const RECT& logical, const TLString& text, bool checked) {
        if (!CreateChild(page, L"BUTTON", BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP, 0, text, id, logical))
            return false;
        SetChecked(checked);
        return true;
    }
    bool IsChecked() const { return SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void SetChecked(bool checked) { SendMessageW(hwnd(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0); }
};
