// The wizard's pages as data: their order. Their header texts and buttons are checked as the person
// sees them, in the wizard frame's scenarios.
#include <gtest/gtest.h>

#include "core/string/tl_string.h"
#include "wizard/rules/page_table.h"

namespace {

using wizard_rules::Page;

TEST(PageTable, FileAssociationsPageOnlyWhenTheProductOffersIt) {
    const std::vector<Page> all = {Page::kLicense,    Page::kSetupType,      Page::kSetupTypeCustom,
                                   Page::kSelectPath, Page::kCopyAndInstall, Page::kFileAssociation,
                                   Page::kShortcuts,  Page::kFinish};
    EXPECT_EQ(wizard_rules::PageOrder(true), all);
    std::vector<Page> without = all;
    without.erase(without.begin() + 5);
    EXPECT_EQ(wizard_rules::PageOrder(false), without);
    // The copy-and-install page keeps its index either way: the cancel rules count on it.
    EXPECT_EQ(without[wizard_rules::kFirstIndexPastCancelling], Page::kCopyAndInstall);
    EXPECT_EQ(wizard_rules::PageIndex(Page::kFinish, true), 7);
    EXPECT_EQ(wizard_rules::PageIndex(Page::kFinish, false), 6);
    EXPECT_EQ(wizard_rules::PageIndex(Page::kFileAssociation, false), -1);
}

}  // namespace
