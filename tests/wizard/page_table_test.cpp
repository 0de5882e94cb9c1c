// The wizard's pages as data: their order, their header texts and the buttons each always disables.
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

TEST(PageTable, EachPageHasItsHeaderAndButtonRules) {
    struct Expected {
        Page page;
        const char16_t* title;
        const char16_t* subtitle;
        bool back_disabled, cancel_disabled;
        const char16_t* next_text;
    };
    const Expected expected[] = {
        {Page::kLicense, u"Welcome", u"Welcome to the Install Wizard.", false, false, u"Accept"},
        {Page::kSetupType, u"Setup Type", u"Choose the setup type that best suits your needs.", false, false, nullptr},
        {Page::kSetupTypeCustom, u"Setup Type", u"Choose the setup type that best suits your needs.", false, false,
         nullptr},
        {Page::kSelectPath, u"Destination Folder",
         u"Click Next to install to this folder, or click Change to install to a different folder.", false, false,
         nullptr},
        {Page::kCopyAndInstall, u"Installing Dependencies", u"Please wait while Install Wizard installs dependencies.",
         true, false, nullptr},
        {Page::kFileAssociation, u"File Associations", u"Please select the file associations.", true, true, nullptr},
        {Page::kShortcuts, u"Create Shortcuts", u"Please select which shortcuts you would like to create.", false, true,
         nullptr},
        {Page::kFinish, u"Install Complete", u"Thank you for installing ", true, true, nullptr},
    };
    for (const Expected& e : expected) {
        const wizard_rules::PageDescription& d = wizard_rules::Describe(e.page);
        SCOPED_TRACE(TLString(e.title).ToUtf8());
        EXPECT_EQ(d.page, e.page);
        EXPECT_EQ(std::u16string_view(d.title), e.title);
        EXPECT_EQ(std::u16string_view(d.subtitle), e.subtitle);
        EXPECT_EQ(d.subtitle_names_product, e.page == Page::kFinish);
        EXPECT_EQ(d.back_always_disabled, e.back_disabled);
        EXPECT_EQ(d.cancel_always_disabled, e.cancel_disabled);
        EXPECT_EQ(d.next_text == nullptr, e.next_text == nullptr);
        if (d.next_text && e.next_text) {
            EXPECT_EQ(std::u16string_view(d.next_text), e.next_text);
        }
    }
}

}  // namespace
