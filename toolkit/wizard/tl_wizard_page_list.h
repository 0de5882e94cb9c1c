#pragma once
// TLWizardPageList: the wizard's pages in order, the current one, and the way from one to another
// (SetActivePage). The window that shows the pages (TLWizardPopupWnd) supplies the acts: making a
// page's window, showing and hiding it, restarting the click timer, refreshing the buttons and
// ending the run.

#include <memory>
#include <vector>

#include "toolkit/wizard/tl_wizard_page.h"

class TLWizardPageList {
public:
    TLWizardPageList() = default;
    virtual ~TLWizardPageList();
    TLWizardPageList(const TLWizardPageList&) = delete;
    TLWizardPageList& operator=(const TLWizardPageList&) = delete;

    // Appends a page; an owned page is deleted with its entry.
    void AddPage(TLWizardPage* page, bool owned = false);
    // The page at `index`, the current page for -1; null when out of range.
    TLWizardPage* PageAt(int index = -1) const;
    int IndexOf(const TLWizardPage* page) const;
    int PageCount() const { return static_cast<int>(entries_.size()); }
    int CurrentIndex() const { return current_; }

    // Moves to `new_index`, passing over the pages that ask so in the direction of travel, and
    // finishes the wizard when that runs past the last page. False when the wizard stays where it was.
    bool SetActivePage(int new_index, bool relayout);
    // Back / next as far as the current page enables them.
    void GoBack();
    void GoNext();

    // Ends the run as finished; false when it could not be ended.
    virtual bool Finish() = 0;

protected:
    // The page's window, made the first time the wizard reaches the page.
    virtual void CreatePageWindow(TLWizardPage& page) = 0;
    virtual void ShowPageWindow(TLWizardPage& page, bool show) = 0;
    virtual void RestartClickTimer() = 0;
    // Whether the wizard's window is still there after a page change (finishing destroys it).
    virtual bool WindowExists() const = 0;
    virtual void UpdateButtons() = 0;
    virtual void Relayout() = 0;

private:
    struct Entry {
        TLWizardPage* page;
        bool owned;
    };
    void RemoveEntry(int index);

    std::vector<Entry> entries_;
    int current_ = -1;
};
