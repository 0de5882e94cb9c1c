#pragma once
// The wizard's pages: their order, header texts and the buttons each always disables. Data in one
// place, read by the page classes and checked by the tests as a table.

#include <vector>

namespace wizard_rules {

enum class Page {
    kLicense,
    kSetupType,
    kSetupTypeCustom,
    kSelectPath,
    kCopyAndInstall,
    kFileAssociation,
    kShortcuts,
    kFinish,
};

struct PageDescription {
    Page page;
    const char16_t* title;
    // The finish page's subtitle is followed by the product name.
    const char16_t* subtitle;
    bool subtitle_names_product;
    bool back_always_disabled;
    bool cancel_always_disabled;
    // The Next button's text; null keeps the toolkit's ("Next >", or "Finish" on the last page).
    const char16_t* next_text;
};

const PageDescription& Describe(Page page);

// The pages in the order the wizard shows them; the file associations page only when the product
// offers it.
std::vector<Page> PageOrder(bool file_associations_offered);

// Where a page stands in that order; -1 for the file associations page when it is not offered.
int PageIndex(Page page, bool file_associations_offered);

// From this index on the installation is running or done, and the wizard can no longer be cancelled.
constexpr int kFirstIndexPastCancelling = 4;

}  // namespace wizard_rules
