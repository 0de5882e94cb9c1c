#include "core/property/tl_string_map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<TLString> NamesInOrder(const TLStringMap& map) {
    std::vector<TLString> names;
    map.ForEach([&names](const TLString& name, const TLString&) { names.push_back(name); });
    return names;
}

TEST(TLStringMapHash, MultipliesBy0x1003FOverFoldedCharacters) {
    struct Case {
        std::u16string_view name;
        uint32_t hash;
    };
    const Case cases[] = {
        {u"", 0},
        {u"a", 97},
        {u"ab", 6363201},
        {u"AB", 6363201},
        {u"Name", 773762347},
        {u"PostExtensionData", 2159916873u},  // wraps around 32 bits
        {u"\u00C9t\u00E9", 1932540382},       // Latin-1 letters fold through the library's table
    };
    for (const Case& c : cases) EXPECT_EQ(TLStringMap::Hash(c.name), c.hash) << TLString(c.name);
}

TEST(TLStringMapGrowth, BucketCountFollowsTheFixedSteps) {
    struct Case {
        size_t entries;
        uint32_t buckets;
    };
    const Case cases[] = {{1, 7}, {8, 7}, {16, 7}, {17, 31}, {64, 31}, {65, 127}, {256, 127}, {257, 511}};
    TLStringMap map;
    EXPECT_EQ(map.GetBucketCount(), 0u);
    size_t inserted = 0;
    for (const Case& c : cases) {
        while (inserted < c.entries) map.Set(TLString::Format(u"name%d", static_cast<int>(inserted++)), u"v"_tl);
        EXPECT_EQ(map.GetCount(), c.entries);
        EXPECT_EQ(map.GetBucketCount(), c.buckets) << c.entries << " entries";
    }
    // Every entry is still found after the rebuilds re-chained them.
    for (size_t i = 0; i < inserted; ++i)
        EXPECT_NE(map.Lookup(TLString::Format(u"NAME%d", static_cast<int>(i))), nullptr) << i;
}

TEST(TLStringMapNames, CompareWithoutCaseAndKeepTheFirstSpelling) {
    TLStringMap map;
    map.Set(u"Key"_tl, u"one"_tl);
    map.Set(u"KEY"_tl, u"two"_tl);
    map.Set(u"\u00C4rger"_tl, u"three"_tl);
    EXPECT_EQ(map.GetCount(), 2u);
    ASSERT_NE(map.Lookup(u"key"_tl), nullptr);
    EXPECT_EQ(*map.Lookup(u"key"_tl), u"two");
    EXPECT_NE(map.Lookup(u"\u00E4RGER"_tl), nullptr);
    EXPECT_EQ(map.Lookup(u"Ke"_tl), nullptr);
    const std::vector<TLString> names = NamesInOrder(map);
    EXPECT_NE(std::find(names.begin(), names.end(), u"Key"_tl), names.end());
    EXPECT_TRUE(map.Remove(u"kEY"_tl));
    EXPECT_FALSE(map.Remove(u"key"_tl));
    EXPECT_EQ(map.GetCount(), 1u);
}

TEST(TLStringMapOrder, ListsBucketByBucket) {
    // With 7 buckets: "a" (97) lies in bucket 6, "b" (98) in bucket 0, "c" (99) in bucket 1; "h" (104)
    // shares bucket 6 with "a" and "a" stays reachable behind it.
    TLStringMap map;
    for (const char16_t* name : {u"a", u"b", u"c", u"h"}) map.Set(name, u""_tl);
    const std::vector<TLString> names = NamesInOrder(map);
    ASSERT_EQ(names.size(), 4u);
    EXPECT_EQ(names[0], u"b");
    EXPECT_EQ(names[1], u"c");
    EXPECT_TRUE((names[2] == u"a" && names[3] == u"h") || (names[2] == u"h" && names[3] == u"a"));
    EXPECT_TRUE(map.Remove(u"a"_tl));
    EXPECT_NE(map.Lookup(u"h"_tl), nullptr);
}

}  // namespace
