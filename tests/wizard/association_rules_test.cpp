// The file associations page's rules: what counts as remembered, the list's groups, when defaults
// are proposed and what leaving the page keeps.
#include "wizard/rules/association_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(AssociationRules, RememberedSelection) {
    const struct {
        std::u16string_view stored;
        bool remembered;
        TLStringArray types;
    } cases[] = {
        {u"NONE", false, {}},
        {u"", true, {}},
        {u"mp3;ogg", true, {u"mp3", u"ogg"}},
    };
    for (const auto& c : cases) {
        const wizard_rules::RememberedSelection selection = wizard_rules::ReadRememberedSelection(TLString(c.stored));
        EXPECT_EQ(selection.remembered, c.remembered) << TLString(c.stored);
        EXPECT_EQ(selection.types, c.types) << TLString(c.stored);
    }
}

TEST(AssociationRules, GroupsHoldTheOfferedTypesSortedAndEmptyGroupsAreLeftOut) {
    shell::FileAssociationData data;
    using shell::FileTypeList;
    data.lists[static_cast<size_t>(FileTypeList::kAudio)] = {u"ogg", u"mp3", u"wma", u"Flac"};
    data.lists[static_cast<size_t>(FileTypeList::kImage)] = {u"png"};
    data.lists[static_cast<size_t>(FileTypeList::kPlaylist)] = {u"mpl"};
    data.lists[static_cast<size_t>(FileTypeList::kUnknown)] = {u"mod"};
    data.lists[static_cast<size_t>(FileTypeList::kDefaultFileTypes)] = {u"mp3", u"flac", u"ogg", u"mpl", u"MOD"};
    const std::vector<wizard_rules::AssociationGroup> groups = wizard_rules::BuildAssociationGroups(data);
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(TLString(groups[0].name), u"Audio");
    EXPECT_EQ(groups[0].types, (TLStringArray{u"Flac", u"mp3", u"ogg"}));
    EXPECT_EQ(TLString(groups[1].name), u"Playlists");
    EXPECT_EQ(TLString(groups[2].name), u"Other");
    EXPECT_EQ(groups[2].types, (TLStringArray{u"mod"}));
}

TEST(AssociationRules, DefaultsOnlyWhenNothingIsRememberedOrHeldBack) {
    EXPECT_TRUE(wizard_rules::ProposesDefaults(false, false, false));
    EXPECT_FALSE(wizard_rules::ProposesDefaults(true, false, false));
    EXPECT_FALSE(wizard_rules::ProposesDefaults(false, true, false));
    EXPECT_FALSE(wizard_rules::ProposesDefaults(false, false, true));
}

TEST(AssociationRules, TypesTheListDoesNotShowStayChosen) {
    EXPECT_EQ(wizard_rules::CollectSelection({u"mp3", u"ape", u"ogg"}, {u"mp3", u"ogg", u"flac"}, {u"flac"}),
              (TLStringArray{u"ape", u"flac"}));
    EXPECT_TRUE(wizard_rules::CollectSelection({u"mp3"}, {u"mp3"}, {}).IsEmpty());
}

}  // namespace
