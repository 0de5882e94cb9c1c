#include "wizard/wizard_property_page.h"

#include "core/tools/tools.h"
#include "wizard/install_wizard.h"

CWizardPropertyPage::CWizardPropertyPage(CInstallWizard& wizard, wizard_rules::Page page)
    : wizard_(wizard), context_(wizard.context()), page_(page) {
    const wizard_rules::PageDescription& text = description();
    caption_ = tools::ProductItem(1) + u" - " + tools::Translate(u"Install Wizard");
    title_ = tools::Translate(text.title);
    subtitle_ = tools::Translate(text.subtitle);
    if (text.subtitle_names_product) subtitle_ += tools::ProductItem(1);
}

void CWizardPropertyPage::OnCreated() {
    if (!initialised_) {
        initialised_ = true;
        InitPage();
    }
    CreateControls();
}

bool CWizardPropertyPage::ShowOnActivate() {
    if (!WantsSkip()) return true;
    if (ApplyPage()) {
        tools::LogFormat(u"CWizardPropertyPage::ShowOnActivate", u"Page \"%s\" passes over itself", title_);
        return false;
    }
    tools::LogFormat(u"CWizardPropertyPage::ShowOnActivate",
                     u"Page \"%s\" would pass over itself but its answers do not apply: shown, express mode off",
                     title_);
    session().ExpressMode = false;
    return true;
}

TLString CWizardPropertyPage::GetNextText() {
    const char16_t* text = description().next_text;
    return text ? tools::Translate(text) : TLWizardPageWnd::GetNextText();
}

bool CWizardPropertyPage::IsBackEnabled() {
    return !description().back_always_disabled && TLWizardPageWnd::IsBackEnabled();
}

bool CWizardPropertyPage::IsCancelEnabled() {
    return !description().cancel_always_disabled && TLWizardPageWnd::IsCancelEnabled();
}

void CWizardPropertyPage::SetCaption(const TLString& caption) {
    caption_ = caption;
    if (wizard_.PageAt() == this) wizard_.UpdateButtons();
}

void CWizardPropertyPage::SetHeader(const TLString& title, const TLString& subtitle) {
    title_ = title;
    subtitle_ = subtitle;
    if (wizard_.PageAt() == this) wizard_.UpdateButtons();
}
