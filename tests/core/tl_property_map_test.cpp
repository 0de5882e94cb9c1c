#include "core/property/tl_property_map.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/property/tl_number_text.h"

namespace {

TEST(TLPropertyMapNumbers, DoublesUseTheFewestDecimalsThatGiveTheValueBack) {
    struct Case {
        double value;
        std::u16string_view text;
    };
    const Case cases[] = {
        {3, u"3"},
        {2.5, u"2.5"},
        {-0.125, u"-0.125"},
        {0.1, u"0.1"},
        {2.675, u"2.675"},
        {1e15, u"1000000000000000"},
        {0, u"0"},
        {1.0 / 3, u"0.3333333333333333"},
        {0.30000000000000004, u"0.3"},  // 16 decimals at most
    };
    for (const Case& c : cases) EXPECT_EQ(tlnumber::FormatDouble(c.value), c.text) << c.value;
}

TEST(TLPropertyMapNumbers, TextIsReadAsTheNumberParsersReadIt) {
    struct Case {
        std::u16string_view text;
        int64_t integer;
        double real;
        uintptr_t pointer;
    };
    const Case cases[] = {
        {u"42", 42, 42, 0x42},
        {u"  -17 apples", -17, -17, 0},
        {u"+8", 8, 8, 0},
        {u"2.5e3", 2, 2500, 0x2},
        {u"0x1F", 0, 0, 0x1F},
        {u"1F", 1, 1, 0x1F},
        {u"apples", 0, 0, 0xA},
        {u"", 0, 0, 0},
        {u"-9223372036854775808", std::numeric_limits<int64_t>::min(), -9223372036854775808.0, 0},
        {u"FFFFFFFFFFFFFFFFFF", 0, 0, std::numeric_limits<uintptr_t>::max()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tlnumber::ParseInteger(c.text), c.integer) << TLString(c.text);
        EXPECT_EQ(tlnumber::ParseDouble(c.text), c.real) << TLString(c.text);
        EXPECT_EQ(tlnumber::ParsePointer(c.text), c.pointer) << TLString(c.text);
    }
}

TEST(TLPropertyMapTyped, ValuesComeBackThroughTheirTextForms) {
    TLPropertyMap map;
    map.SetInt(u"Int"_tl, -2147483647 - 1);
    map.SetInt64(u"Int64"_tl, 9007199254740993LL);
    map.SetDouble(u"Double"_tl, 2.5);
    map.SetPointer(u"Pointer"_tl, 0x12AB);
    EXPECT_EQ(map.GetString(u"int"_tl), u"-2147483648");
    EXPECT_EQ(map.GetInt(u"INT"_tl), -2147483647 - 1);
    EXPECT_EQ(map.GetInt64(u"int64"_tl), 9007199254740993LL);
    EXPECT_EQ(map.GetString(u"double"_tl), u"2.5");
    EXPECT_EQ(map.GetDouble(u"double"_tl), 2.5);
    EXPECT_EQ(map.GetString(u"pointer"_tl), u"00000000000012AB");
    EXPECT_EQ(map.GetPointer(u"pointer"_tl), 0x12ABu);

    // Missing names give their defaults, which pass through the same text forms.
    EXPECT_EQ(map.GetInt(u"missing"_tl, 7), 7);
    EXPECT_EQ(map.GetInt64(u"missing"_tl, -5), -5);
    EXPECT_EQ(map.GetDouble(u"missing"_tl, 0.25), 0.25);
    EXPECT_EQ(map.GetPointer(u"missing"_tl, 0xBEEF), 0xBEEFu);
    EXPECT_EQ(map.GetString(u"missing"_tl, u"fallback"_tl), u"fallback");
    EXPECT_EQ(map.GetString(u"missing"_tl), u"");

    // Stored text that is not a number reads as what the parser makes of it.
    map.SetString(u"Text"_tl, u"0x1F"_tl);
    EXPECT_EQ(map.GetPointer(u"text"_tl), 0x1Fu);
    map.SetString(u"Text"_tl, u"1F"_tl);
    EXPECT_EQ(map.GetPointer(u"text"_tl), 0x1Fu);
    EXPECT_EQ(map.GetInt(u"text"_tl, 99), 1);
}

TEST(TLPropertyMapLifetime, TheMapExistsOnlyWhileItHoldsAnEntry) {
    TLPropertyMap map;
    EXPECT_FALSE(map.HasMap());
    map.SetString(u"Key"_tl, u""_tl, true);
    EXPECT_FALSE(map.HasMap());
    map.SetString(u"Key"_tl, u""_tl);  // an empty value is stored when removal is not asked for
    EXPECT_TRUE(map.Exists(u"KEY"_tl));
    map.SetString(u"Other"_tl, u"x"_tl);
    map.SetString(u"key"_tl, u""_tl, true);
    EXPECT_FALSE(map.Exists(u"Key"_tl));
    EXPECT_TRUE(map.HasMap());
    map.Remove(u"OTHER"_tl);
    EXPECT_FALSE(map.HasMap());
    map.Remove(u"other"_tl);
    map.SetString(u"a"_tl, u"1"_tl);
    map.Clear();
    EXPECT_FALSE(map.HasMap());
    EXPECT_EQ(map.GetCount(), 0u);
}

TLPropertyMap MapOf(std::initializer_list<std::pair<const char16_t*, const char16_t*>> entries) {
    TLPropertyMap map;
    for (const auto& [name, value] : entries) map.SetString(name, value);
    return map;
}

TEST(TLPropertyMapCompare, EqualMeansSameNamesAndExactlyTheSameValues) {
    struct Case {
        TLPropertyMap a, b;
        bool equal;
    };
    const Case cases[] = {
        {MapOf({}), MapOf({}), true},
        {MapOf({{u"a", u"1"}, {u"b", u"2"}}), MapOf({{u"B", u"2"}, {u"A", u"1"}}), true},
        {MapOf({{u"a", u"x"}}), MapOf({{u"a", u"X"}}), false},
        {MapOf({{u"a", u"1"}}), MapOf({{u"a", u"1"}, {u"b", u"2"}}), false},
        {MapOf({{u"a", u""}}), MapOf({{u"b", u"x"}}), false},  // an empty value is no missing name
        {MapOf({{u"a", u""}}), MapOf({{u"A", u""}}), true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.a.IsEqual(c.b), c.equal) << c.a.ToText(u"["_tl, u"]"_tl) << " vs " << c.b.ToText(u"["_tl, u"]"_tl);
        EXPECT_EQ(c.b.IsEqual(c.a), c.equal);
        EXPECT_TRUE(c.a.IsEqual(c.a));
    }
}

TEST(TLPropertyMapCopy, CopyReplacesTheEntriesAndCopyOntoItselfKeepsThem) {
    TLPropertyMap map = MapOf({{u"a", u"1"}, {u"b", u"2"}});
    TLPropertyMap other = MapOf({{u"c", u"3"}});
    EXPECT_TRUE(other.CopyFrom(map));
    EXPECT_TRUE(other.IsEqual(map));
    EXPECT_FALSE(other.Exists(u"c"_tl));
    EXPECT_TRUE(map.CopyFrom(map));
    EXPECT_EQ(map.GetCount(), 2u);
    other.CopyFrom(TLPropertyMap());
    EXPECT_FALSE(other.HasMap());
}

TEST(TLPropertyMapText, ToTextJoinsPrefixNameValueAndSuffix) {
    EXPECT_EQ(MapOf({{u"Name", u"Value"}}).ToText(u"- "_tl, u"\r\n"_tl), u"- Name: Value\r\n");
    EXPECT_EQ(MapOf({}).ToText(u"- "_tl, u"\r\n"_tl), u"");
}

TEST(TLPropertyMapSerial, SaveAndLoadGiveTheSameMap) {
    TLPropertyMap map = MapOf({{u"Name", u"Value"}, {u"Empty", u""}, {u"\u00C4", u"\U0001F3B5 \u0001?"}});
    TLSerialBuffer buffer;
    map.Save(buffer, true);
    map.Save(buffer, false);
    TLPropertyMap().Save(buffer, true);

    TLPropertyMap loaded = MapOf({{u"stale", u"entry"}});
    size_t position = 0;
    ASSERT_TRUE(loaded.Load(buffer, position));
    EXPECT_TRUE(loaded.IsEqual(map));
    for (int i = 0; i < 2; ++i) {  // the excluded and the empty map both wrote the count 0
        ASSERT_TRUE(loaded.Load(buffer, position));
        EXPECT_FALSE(loaded.HasMap());
    }
    EXPECT_EQ(position, buffer.Bytes().size());
    EXPECT_TRUE(loaded.Load(buffer));
    EXPECT_TRUE(loaded.IsEqual(map));
}

TEST(TLPropertyMapSerial, CutOrHostileBuffersFailWithoutReadingPastTheEnd) {
    TLSerialBuffer whole;
    MapOf({{u"Name", u"Value"}}).Save(whole, true);
    const std::vector<uint8_t>& bytes = whole.Bytes();
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        TLPropertyMap map;
        EXPECT_FALSE(map.Load(TLSerialBuffer(std::vector<uint8_t>(bytes.begin(), bytes.begin() + cut)))) << cut;
    }
    // A count of four billion entries, and a string claiming four billion characters.
    TLPropertyMap map;
    EXPECT_FALSE(map.Load(TLSerialBuffer({0xFF, 0xFF, 0xFF, 0xFF})));
    EXPECT_FALSE(map.Load(TLSerialBuffer({1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 0})));
    EXPECT_FALSE(map.HasMap());
}

}  // namespace
