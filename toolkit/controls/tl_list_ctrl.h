#pragma once
// A list of rows with check boxes, gathered under group rows ("Audio", "Video", ...) drawn in bold
// and without a check box. Group rows are the list's own: items are counted, read and ticked
// without them. (Drawn as rows of a report list view rather than in its group view, which not every
// Windows draws.)

#include <vector>

#include "toolkit/tl_control.h"

class TLListCtrl : public TLChildControl {
public:
    bool Create(TLWizardPageWnd& page, int id, const RECT& logical);
    // Adds a group row; the items added after it belong to it.
    void AddGroup(const TLString& name);
    // Adds an item under the last group added; returns its index among the items.
    int AddItem(const TLString& text, bool checked);
    int ItemCount() const { return static_cast<int>(item_rows_.size()); }
    TLString ItemText(int index) const;
    bool IsChecked(int index) const;
    void SetChecked(int index, bool checked);
    void Place(UINT dpi) override;
    bool OnNotify(const NMHDR& header, LRESULT* result) override;

private:
    bool IsGroupRow(int row) const;
    std::vector<int> item_rows_;   // the list view row of each item
    std::vector<int> group_rows_;  // the list view row of each group
};
