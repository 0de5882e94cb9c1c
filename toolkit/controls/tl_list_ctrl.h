#pragma once
// A list of rows with check boxes, gathered under group rows ("Audio", "Video", ...): a report list
// view in group view.

#include <vector>

#include "toolkit/tl_control.h"

class TLListCtrl : public TLChildControl {
public:
    bool Create(TLWizardPageWnd& page, int id, const RECT& logical);
    // Adds a group row; its rows follow it. Returns the group's number.
    int AddGroup(const TLString& name);
    // Adds a row under `group`; returns its index.
    int AddItem(int group, const TLString& text, bool checked);
    int ItemCount() const;
    TLString ItemText(int index) const;
    bool IsChecked(int index) const;
    void SetChecked(int index, bool checked);
    void Place(UINT dpi) override;

private:
    int groups_ = 0;
};
