#pragma once
// TLWizardPage: the navigation protocol of one wizard page, with the toolkit's defaults. The window
// side (TLWizardPageWnd) and the wizard's page list (TLWizardPageList) build on it; nothing here
// needs Windows, so the protocol itself is tested natively.

#include "core/string/tl_string.h"

class TLWizardPageList;

class TLWizardPage {
public:
    TLWizardPage() = default;
    virtual ~TLWizardPage() = default;
    TLWizardPage(const TLWizardPage&) = delete;
    TLWizardPage& operator=(const TLWizardPage&) = delete;

    // Asked when the wizard arrives at the page: true shows it, false passes over it.
    virtual bool ShowOnActivate() { return true; }
    virtual bool OnDeactivate() { return true; }
    // Asked before leaving backward / forward; false keeps the wizard on the page.
    virtual bool OnLeaveBack() { return true; }
    virtual bool OnLeaveNext() { return true; }
    virtual void OnCancel() {}
    virtual TLString GetCaption() { return TLString(); }
    virtual TLString GetTitle() { return TLString(); }
    virtual TLString GetSubtitle() { return TLString(); }
    virtual TLString GetBackText();
    // "Next >", or "Finish" on the last page of the list.
    virtual TLString GetNextText();
    virtual TLString GetCancelText();
    // Enabled unless the page is the first of the list.
    virtual bool IsBackEnabled();
    virtual bool IsNextEnabled() { return true; }
    virtual bool IsCancelEnabled() { return true; }
    virtual bool IsRemovedAfterLeaving() { return false; }

    // The list the page belongs to (set when it is added), and its place in it (-1 when in none).
    TLWizardPageList* list() const { return list_; }
    int IndexInList() const;

private:
    friend class TLWizardPageList;
    TLWizardPageList* list_ = nullptr;
};
