#pragma once
// CWizardPropertyPage: the base of the installer's pages. It carries the page's caption, title and
// subtitle, and adds to the toolkit's page protocol the three operations every installer page has:
// WantsSkip (whether the page passes over itself), InitPage (once, when the wizard first reaches the
// page, also when it passes over it) and ApplyPage (checks and stores the page's answers).

#include "core/session/install_session.h"
#include "engine/context/install_context.h"
#include "toolkit/wizard/tl_wizard_page_wnd.h"
#include "wizard/rules/page_table.h"

class CInstallWizard;

class CWizardPropertyPage : public TLWizardPageWnd {
public:
    CWizardPropertyPage(CInstallWizard& wizard, wizard_rules::Page page);

    // Shows the page unless it wants to pass over itself and its answers apply; a page whose answers
    // do not apply is shown, and express mode ends so that the pages after it are asked too.
    bool ShowOnActivate() override;
    bool OnLeaveNext() override { return ApplyPage(); }
    TLString GetCaption() override { return caption_; }
    TLString GetTitle() override { return title_; }
    TLString GetSubtitle() override { return subtitle_; }
    TLString GetNextText() override;
    bool IsBackEnabled() override;
    bool IsCancelEnabled() override;

    virtual bool WantsSkip() = 0;
    virtual void InitPage() {}
    virtual bool ApplyPage() { return true; }

    CInstallWizard& wizard() const { return wizard_; }
    // The run's context, which the wizard was given.
    engine::InstallContext& context() const { return context_; }
    bool initialised() const { return initialised_; }

protected:
    // Builds the page's controls, right after InitPage on the first creation of its window.
    virtual void CreateControls() {}
    // For pages that change their header or caption while shown; the wizard shows it at once.
    void SetCaption(const TLString& caption);
    void SetHeader(const TLString& title, const TLString& subtitle);
    InstallSession& session() const { return context_.session; }
    const wizard_rules::PageDescription& description() const { return wizard_rules::Describe(page_); }

private:
    void OnCreated() final;

    CInstallWizard& wizard_;
    engine::InstallContext& context_;
    wizard_rules::Page page_;
    bool initialised_ = false;
    TLString caption_;
    TLString title_;
    TLString subtitle_;
};
