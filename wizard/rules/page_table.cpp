#include "wizard/rules/page_table.h"

#include <algorithm>
#include <iterator>

namespace wizard_rules {
namespace {

constexpr char16_t kSetupTypeSubtitle[] = u"Choose the setup type that best suits your needs.";

// In page order.
constexpr PageDescription kPages[] = {
    {Page::kLicense, u"Welcome", u"Welcome to the Install Wizard.", false, false, false, u"Accept"},
    {Page::kSetupType, u"Setup Type", kSetupTypeSubtitle, false, false, false, nullptr},
    {Page::kSetupTypeCustom, u"Setup Type", kSetupTypeSubtitle, false, false, false, nullptr},
    {Page::kSelectPath, u"Destination Folder",
     u"Click Next to install to this folder, or click Change to install to a different folder.", false, false, false,
     nullptr},
    // Next and Cancel of the copy-and-install page follow the installation's own state.
    {Page::kCopyAndInstall, u"Installing Dependencies", u"Please wait while Install Wizard installs dependencies.",
     false, true, false, nullptr},
    {Page::kFileAssociation, u"File Associations", u"Please select the file associations.", false, true, true, nullptr},
    {Page::kShortcuts, u"Create Shortcuts", u"Please select which shortcuts you would like to create.", false, false,
     true, nullptr},
    {Page::kFinish, u"Install Complete", u"Thank you for installing ", true, true, true, nullptr},
};

}  // namespace

const PageDescription& Describe(Page page) { return kPages[static_cast<size_t>(page)]; }

std::vector<Page> PageOrder(bool file_associations_offered) {
    std::vector<Page> order;
    for (const PageDescription& description : kPages)
        if (description.page != Page::kFileAssociation || file_associations_offered) order.push_back(description.page);
    return order;
}

int PageIndex(Page page, bool file_associations_offered) {
    const std::vector<Page> order = PageOrder(file_associations_offered);
    const auto found = std::find(order.begin(), order.end(), page);
    return found == order.end() ? -1 : static_cast<int>(found - order.begin());
}

}  // namespace wizard_rules
