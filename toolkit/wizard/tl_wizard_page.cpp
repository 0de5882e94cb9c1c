#include "toolkit/wizard/tl_wizard_page.h"

#include "core/tools/tools.h"
#include "toolkit/wizard/tl_wizard_page_list.h"

TLString TLWizardPage::GetBackText() { return tools::Translate(u"< Back"); }

TLString TLWizardPage::GetCancelText() { return tools::Translate(u"Cancel"); }

TLString TLWizardPage::GetNextText() {
    const bool last = list_ && IndexInList() == list_->PageCount() - 1;
    return tools::Translate(last ? u"Finish" : u"Next >");
}

bool TLWizardPage::IsBackEnabled() { return IndexInList() > 0; }

int TLWizardPage::IndexInList() const { return list_ ? list_->IndexOf(this) : -1; }
