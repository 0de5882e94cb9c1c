#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/property/tl_filename.h"
#include "core/property/tl_property_map.h"

namespace {

using Entries = std::vector<std::pair<std::u16string_view, std::u16string_view>>;

TLPropertyMap MapOf(const Entries& entries) {
    TLPropertyMap map;
    for (const auto& [name, value] : entries) map.SetString(TLString(name), TLString(value));
    return map;
}

// In a map of 7 buckets "b" lists before "a" (98 % 7 = 0, 97 % 7 = 6).
struct PropertyHolderCase {
    Entries entries;
    std::u16string_view text;
};
const PropertyHolderCase kPropertyHolderCases[] = {
    {{}, u"<XMLPH version=\"1.0\">\r\n</XMLPH>"},
    {{{u"a", u"1"}, {u"b", u"x"}},
     u"<XMLPH version=\"1.0\">\r\n<Item Name=\"b\">x</Item>\r\n<Item Name=\"a\">1</Item>\r\n</XMLPH>"},
    {{{u"e", u""}}, u"<XMLPH version=\"1.0\">\r\n<Item Name=\"e\"/>\r\n</XMLPH>"},
    {{{u"q\"'<", u"a<b&c>\"'"}},
     u"<XMLPH version=\"1.0\">\r\n<Item Name=\"q&quot;&apos;&lt;\">a&lt;b&amp;c&gt;\"'</Item>\r\n</XMLPH>"},
    {{{u"Path", u"C:\\Music\\\u00C9t\u00E9 \U0001F3B5.mp3"}},
     u"<XMLPH version=\"1.0\">\r\n<Item Name=\"Path\">C:\\Music\\\u00C9t\u00E9 "
     u"\U0001F3B5.mp3</Item>\r\n</XMLPH>"},
    {{{u"Lines", u"one\r\ntwo\tthree"}},
     u"<XMLPH version=\"1.0\">\r\n<Item Name=\"Lines\">one\r\ntwo\tthree</Item>\r\n</XMLPH>"},
};

TEST(PropertyHolderForm, WritesOneItemPerEntryAndReadsItBack) {
    for (const PropertyHolderCase& c : kPropertyHolderCases) {
        const TLPropertyMap map = MapOf(c.entries);
        EXPECT_EQ(map.ToXML(u"XMLPH"_tl, false, 1.0), c.text);
        TLPropertyMap read = MapOf({{u"stale", u"entry"}});
        EXPECT_TRUE(read.FromXML(TLString(c.text), u"XMLPH"_tl, 1.0)) << TLString(c.text);
        EXPECT_TRUE(read.IsEqual(map)) << read.ToText(u"["_tl, u"]"_tl);
    }
}

TEST(PropertyHolderForm, SkipIfEmptyAndTheVersionShapeTheText) {
    TLPropertyMap map;
    EXPECT_EQ(map.ToXML(u"XMLPH"_tl, true, 1.0), u"");
    map.SetString(u"Key"_tl, u"v"_tl);
    map.SetString(u"key"_tl, u""_tl, true);  // removes the last entry, so the map is empty again
    EXPECT_EQ(map.ToXML(u"XMLPH"_tl, true, 1.0), u"");
    EXPECT_EQ(map.ToXML(u"Record"_tl, false, 2.5), u"<Record version=\"2.5\">\r\n</Record>");
    EXPECT_EQ(map.ToXML(u"Record"_tl, false, 3), u"<Record version=\"3.0\">\r\n</Record>");
}

TEST(PropertyHolderForm, ReadingFindsTheRootAndComparesTheVersionAsANumber) {
    struct Case {
        std::u16string_view text;
        bool ok;
        Entries entries;
    };
    const Case cases[] = {
        {u"", true, {}},
        {u"<XMLPH version=\"1.00\"><Item Name=\"a\">1</Item></XMLPH>", true, {{u"a", u"1"}}},
        {u"<XMLPH version=\"2.0\"><Item Name=\"a\">1</Item></XMLPH>", false, {}},
        {u"<XMLPH><Item Name=\"a\">1</Item></XMLPH>", false, {}},
        {u"<XMLFN version=\"1.0\"><Item Name=\"a\">1</Item></XMLFN>", false, {}},
        {u"<xmlph VERSION='1.0'><item name='A'>1</item></xmlph>", true, {{u"A", u"1"}}},
        {u"<?xml version=\"1.0\"?>\r\n<!-- saved -->\r\n<XMLPH version=\"1.0\"><Item "
         u"Name=\"a\">1</Item></XMLPH>",
         true,
         {{u"a", u"1"}}},
        // A later item of an equal name wins; an item without a name is kept under the empty name.
        {u"<XMLPH version=\"1.0\"><Item Name=\"k\">1</Item><Item Name=\"K\">2</Item><Item>3</Item></XMLPH>",
         true,
         {{u"k", u"2"}, {u"", u"3"}}},
        // Only the root's own Item children count.
        {u"<XMLPH version=\"1.0\"><Group><Item Name=\"x\">1</Item></Group><Other Name=\"y\"/></XMLPH>", true, {}},
        {u"<XMLPH version=\"1.0\"><Item Name=\"a&amp;b\">&lt;&#65;&#x42;</Item>"
         u"<Item Name=\"c\"><![CDATA[<raw>&amp;]]></Item></XMLPH>",
         true,
         {{u"a&b", u"<AB"}, {u"c", u"<raw>&amp;"}}},
        // Lenient: an ill-formed text still gives what was recognised.
        {u"<XMLPH version=\"1.0\"><Item Name=\"a\">1</Item><unclosed></XMLPH>", true, {{u"a", u"1"}}},
        // A root without its end tag is cut back to its start tag: its items become its siblings.
        {u"<XMLPH version=\"1.0\"><Item Name=\"a\">1</Item>", true, {}},
        {u"not xml at all", false, {}},
    };
    for (const Case& c : cases) {
        TLPropertyMap map = MapOf({{u"stale", u"entry"}});
        EXPECT_EQ(map.FromXML(TLString(c.text), u"XMLPH"_tl, 1.0), c.ok) << TLString(c.text);
        EXPECT_TRUE(map.IsEqual(MapOf(c.entries))) << TLString(c.text) << " gave " << map.ToText(u"["_tl, u"]"_tl);
    }
}

struct FilenameCase {
    std::u16string_view filename;
    Entries properties;
    std::u16string_view text;
};
const FilenameCase kFilenameCases[] = {
    {u"C:\\Music\\a.mp3", {}, u"C:\\Music\\a.mp3"},
    {u"C:\\R&B\\<live> it's.mp3",
     {{u"Track", u"3"}},
     u"<XMLFN version=\"1.0\"><Item Name=\"Filename\">C:\\R&amp;B\\&lt;live&gt; it's.mp3</Item>"
     u"<Item Name=\"Track\">3</Item></XMLFN>"},
    {u"x.mp3",
     {{u"Cue", u"\u0001a\u001F\t\"b\""}},
     u"<XMLFN version=\"1.0\"><Item Name=\"Filename\">x.mp3</Item>"
     u"<Item Name=\"Cue\">&#x1;a&#x1F;\t&quot;b&quot;</Item></XMLFN>"},
    // A quote in a name must not end the attribute early.
    {u"x.mp3",
     {{u"a\"b<&", u"v"}},
     u"<XMLFN version=\"1.0\"><Item Name=\"Filename\">x.mp3</Item><Item "
     u"Name=\"a&quot;b&lt;&amp;\">v</Item></XMLFN>"},
    {u"",
     {{u"Only", u"data"}},
     u"<XMLFN version=\"1.0\"><Item Name=\"Filename\"></Item><Item Name=\"Only\">data</Item></XMLFN>"},
};

TEST(FilenameForm, ComposesAndParsesBothWays) {
    for (const FilenameCase& c : kFilenameCases) {
        TLFilename name;
        name.SetFilename(TLString(c.filename));
        name.Properties().CopyFrom(MapOf(c.properties));
        EXPECT_EQ(name.Compose(), c.text);

        const TLFilename parsed(name.Compose());
        EXPECT_EQ(parsed.GetFilename(), c.filename) << TLString(c.text);
        EXPECT_TRUE(parsed.Properties().IsEqual(name.Properties())) << TLString(c.text);
    }
}

TEST(FilenameForm, ParsingReadsTheXMLFormOrTheSuffixForm) {
    struct Case {
        std::u16string_view text;
        std::u16string_view filename;
        Entries properties;
    };
    const Case cases[] = {
        {u"<xmlfn version=\"1.0\"><item name=\"FILENAME\">a.mp3</item><item name=\"k\">v</item></xmlfn>",
         u"a.mp3",
         {{u"k", u"v"}}},
        {u"<XMLFN version=\"1.00\"><Item Name=\"Filename\">a.mp3</Item></XMLFN>", u"", {}},
        {u"<XMLFN version=\"1.0\"", u"", {}},
        {u"<XMLFN version=\"1.0\"><Item Name=\"Filename\">a<", u"", {}},
        {u"C:\\Music\\a.mp3;track=3", u"C:\\Music\\a.mp3", {{u"PostExtensionData", u"track=3"}}},
        {u"C:\\Music\\a.mp3;", u"C:\\Music\\a.mp3", {{u"PostExtensionData", u""}}},
        {u"C:\\a.b;x;y", u"C:\\a.b;x", {{u"PostExtensionData", u"y"}}},  // split at the last semicolon
        {u"C:\\a.abcde;x;y", u"C:\\a.abcde;x;y", {}},                    // the "extension" runs to it: "abcde;x"
        {u"C:\\x.y;z.w", u"C:\\x.y;z.w", {}},                            // the last full stop follows the semicolon
        {u"C:\\a.mp3;x\\", u"C:\\a.mp3;x\\", {}},                        // a folder is never split
        {u"http://host/a.mp3;x", u"http://host/a.mp3;x", {}},
        {u"C:\\a.abcdef;x", u"C:\\a.abcdef;x", {}},  // an extension of six characters
        {u"C:\\a.;x", u"C:\\a.;x", {}},
        {u"C:\\a;x", u"C:\\a;x", {}},
        {u"", u"", {}},
    };
    for (const Case& c : cases) {
        TLFilename name;
        name.Properties().SetString(u"stale"_tl, u"entry"_tl);
        name.Parse(TLString(c.text), true);
        EXPECT_EQ(name.GetFilename(), c.filename) << TLString(c.text);
        EXPECT_TRUE(name.Properties().IsEqual(MapOf(c.properties)))
            << TLString(c.text) << " gave " << name.Properties().ToText(u"["_tl, u"]"_tl);
    }
}

TEST(FilenameForm, ParsingWithoutClearingAddsToTheProperties) {
    TLFilename name;
    name.Properties().SetString(u"Kept"_tl, u"1"_tl);
    name.Parse(u"C:\\a.mp3;t=1"_tl, false);
    EXPECT_EQ(name.Properties().GetString(u"kept"_tl), u"1");
    EXPECT_EQ(name.Properties().GetString(u"postextensiondata"_tl), u"t=1");
    name.Parse(u"<XMLFN version=\"1.0\"><Item Name=\"Filename\">b</Item><Item Name=\"kept\">2</Item></XMLFN>"_tl,
               false);
    EXPECT_EQ(name.GetFilename(), u"b");
    EXPECT_EQ(name.Properties().GetString(u"Kept"_tl), u"2");
    EXPECT_EQ(name.Properties().GetCount(), 2u);
}

}  // namespace
