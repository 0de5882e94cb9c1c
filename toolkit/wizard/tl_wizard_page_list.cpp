#include "toolkit/wizard/tl_wizard_page_list.h"

// Pages that are not owned are often members of the derived wizard and are gone by now: only the
// owned ones are touched.
TLWizardPageList::~TLWizardPageList() {
    for (Entry& entry : entries_)
        if (entry.owned) delete entry.page;
}

void TLWizardPageList::AddPage(TLWizardPage* page, bool owned) {
    page->list_ = this;
    entries_.push_back({page, owned});
}

TLWizardPage* TLWizardPageList::PageAt(int index) const {
    if (index == -1) index = current_;
    if (index < 0 || index >= PageCount()) return nullptr;
    return entries_[index].page;
}

int TLWizardPageList::IndexOf(const TLWizardPage* page) const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].page == page) return static_cast<int>(i);
    return -1;
}

void TLWizardPageList::RemoveEntry(int index) {
    Entry entry = entries_[index];
    entries_.erase(entries_.begin() + index);
    entry.page->list_ = nullptr;
    if (entry.owned) delete entry.page;
}

bool TLWizardPageList::SetActivePage(int new_index, bool relayout) {
    if (new_index < 0 || new_index == current_) return false;
    const int direction = new_index > current_ ? 1 : -1;
    // Where the wizard stays when it finds nothing to show; nowhere once the leaving page is removed.
    int restore = current_;

    if (TLWizardPage* leaving = PageAt(current_)) {
        if (!(direction > 0 ? leaving->OnLeaveNext() : leaving->OnLeaveBack())) return false;
        ShowPageWindow(*leaving, false);
        leaving->OnDeactivate();
        if (leaving->IsRemovedAfterLeaving()) {
            RemoveEntry(current_);
            if (new_index > current_) --new_index;
            restore = -1;
        }
    }

    for (int index = new_index;; index += direction) {
        current_ = index;
        if (index >= PageCount()) {
            if (Finish()) return true;
            break;
        }
        if (index < 0) break;
        TLWizardPage& page = *entries_[index].page;
        CreatePageWindow(page);
        const bool show = page.ShowOnActivate();
        RestartClickTimer();
        if (show) {
            ShowPageWindow(page, true);
            if (WindowExists()) {
                UpdateButtons();
                if (relayout) Relayout();
            }
            return true;
        }
    }

    // Nothing to show in that direction: the wizard stays on the page it came from, shown again.
    current_ = restore;
    if (TLWizardPage* page = PageAt(current_)) ShowPageWindow(*page, true);
    if (WindowExists()) UpdateButtons();
    return false;
}

void TLWizardPageList::GoBack() {
    TLWizardPage* page = PageAt(current_);
    if (!page || !page->IsBackEnabled()) return;
    SetActivePage(current_ - 1, true);
}

void TLWizardPageList::GoNext() {
    TLWizardPage* page = PageAt(current_);
    if (!page || !page->IsNextEnabled()) return;
    SetActivePage(current_ + 1, true);
}
