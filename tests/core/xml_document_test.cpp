#include "core/xml/tl_xml_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/core/xml_index_check.h"

namespace {

using Element = TLXMLDocument::Element;
constexpr unsigned kIgnoreCase = TLXMLDocument::kIgnoreCase;

// --- Parsing: the index and the problem each document gives ------------------------------------

struct ParseCase {
    const char16_t* text;
    unsigned flags;
    bool well_formed;
    const char16_t* error;
    const char* outline;
};

const ParseCase kParseCases[] = {
    {u"<a/>", 0, true, u"", "a"},
    {u"<?xml version=\"1.0\"?>\r\n<r>\r\n <a x='1'>t</a>\r\n <b/>\r\n</r>\r\n", 0, true, u"", "r(a,b)"},
    {u"<r><!-- <x> --><![CDATA[<y>]]><?pi <z>?>text</r>", 0, true, u"", "r"},
    {u"<r a='>' b=\"/>\" c=x>t</r>", 0, true, u"", "r"},
    {u"<!DOCTYPE r [<!ENTITY e \"]>\"><!-- ] --><!ATTLIST r a CDATA '>'>]><r/>", 0, true, u"", "r"},
    {u"<a></A>", kIgnoreCase, true, u"", "a"},
    {u"", 0, false, u"Empty document", ""},
    {u" \r\n<!-- only -->", 0, false, u"No root element", ""},
    {u"<a/><b/>", 0, false, u"Root element has sibling", "a,b"},
    {u"<a/><b/>< c", 0, false, u"Root element has sibling", "a,b"},
    {u"<a><b></a>", 0, false, u"Element 'b' at offset 3 not ended", "a(b)"},
    {u"<a><b><c/>t<d></d></a>", 0, false, u"Element 'b' at offset 3 not ended", "a(b,c,d)"},
    {u"<a><b><c><d/></a>", 0, false, u"Element 'c' at offset 6 not ended", "a(b,c,d)"},
    {u"<a><b><c/>", 0, false, u"Root element has sibling", "a,b,c"},
    {u"<a></b></a>", 0, false, u"End tag 'b' at offset 3 does not match start tag 'a' at offset 0", "a"},
    {u"<a></A>", 0, false, u"End tag 'A' at offset 3 does not match start tag 'a' at offset 0", "a"},
    {u"</b><a/>", 0, false, u"No start tag for end tag 'b' at offset 0", "a"},
    {u"<a>1 < 2</a>", 0, false, u"Incorrect tag name character at offset 5", "a"},
    {u"<a><!-x--></a>", 0, false, u"Incorrect comment tag at offset 3", "a"},
    {u"<a><!X></a>", 0, false, u"Incorrect ! tag at offset 3", "a"},
    {u"<a><![X[y]]></a>", 0, false, u"Incorrect ! tag at offset 3", "a"},
    {u"<r><a", 0, false, u"Element tag at offset 3 unterminated", "r"},
    {u"<r><a b='>", 0, false, u"Element tag at offset 3 unterminated", "r"},
    {u"<r><", 0, false, u"Element tag at offset 3 unterminated", "r"},
    {u"<r></r", 0, false, u"Element end tag at offset 3 unterminated", "r"},
    {u"<r><!-- x</r>", 0, false, u"Comment at offset 3 unterminated", "r"},
    {u"<r><![CDATA[x]]</r>", 0, false, u"CDATA Section at offset 3 unterminated", "r"},
    {u"<r><?pi x</r>", 0, false, u"Processing instruction at offset 3 unterminated", "r"},
    {u"<r/><!DOCTYPE r [<!ELEMENT r ANY>", 0, false, u"Doctype at offset 4 unterminated", "r"},
    {u"<a", 0, false, u"No root element", ""},
};

class XMLParse : public testing::TestWithParam<ParseCase> {};

TEST_P(XMLParse, GivesItsIndexAndFirstProblem) {
    const ParseCase& c = GetParam();
    TLXMLDocument doc(c.flags);
    EXPECT_EQ(doc.SetDocument(TLString(c.text)), c.well_formed);
    EXPECT_EQ(doc.IsWellFormed(), c.well_formed);
    EXPECT_EQ(doc.GetError(), c.error);
    EXPECT_EQ((doc.GetRecord(0).flags & TLXMLDocument::kIllFormed) != 0, !c.well_formed);
    EXPECT_EQ(tltest::Outline(doc), c.outline);
    tltest::ExpectIndexConsistent(doc);
}

INSTANTIATE_TEST_SUITE_P(Table, XMLParse, testing::ValuesIn(kParseCases));

TEST(XMLIndex, RecordsHoldOffsetsLengthsAndLinks) {
    TLXMLDocument doc;
    ASSERT_TRUE(doc.SetDocument(u"<r a='1'><b>t</b><c/><d></d></r>"_tl));
    ASSERT_EQ(doc.GetElementCount(), 4u);
    struct Expected {
        uint32_t start, length, start_tag, end_tag, flags;
        Element parent, first_child, next, previous;
    };
    const Expected expected[] = {
        {0, 32, 0, 0, 0, 0, 1, 0, 0},                             // the document
        {0, 32, 9, 4, 0, 0, 2, 0, 1},                             // r
        {9, 8, 3, 4, 0, 1, 0, 3, 4},                              // b: the first child names the last
        {17, 4, 4, 0, TLXMLDocument::kEmptyElement, 1, 0, 4, 2},  // c
        {21, 7, 3, 4, 0, 1, 0, 0, 3},                             // d
    };
    for (Element e = 0; e <= 4; ++e) {
        const TLXMLDocument::Record r = doc.GetRecord(e);
        const Expected& x = expected[e];
        EXPECT_EQ(r.start, x.start) << e;
        EXPECT_EQ(r.length, x.length) << e;
        EXPECT_EQ(r.start_tag_length, x.start_tag) << e;
        EXPECT_EQ(r.end_tag_length, x.end_tag) << e;
        EXPECT_EQ(r.flags & 0xFF, x.flags) << e;
        EXPECT_EQ(r.parent, x.parent) << e;
        EXPECT_EQ(r.first_child, x.first_child) << e;
        EXPECT_EQ(r.next_sibling, x.next) << e;
        EXPECT_EQ(r.previous_sibling, x.previous) << e;
    }
    EXPECT_EQ(doc.GetElementName(3), u"c");
}

TEST(XMLIndex, ElementNotEndedIsCutBackToItsStartTag) {
    TLXMLDocument doc;
    EXPECT_FALSE(doc.SetDocument(u"<a><b><c/></a>"_tl));
    const TLXMLDocument::Record b = doc.GetRecord(2);
    EXPECT_EQ(b.length, 3u);
    EXPECT_EQ(b.end_tag_length, 0u);
    EXPECT_TRUE(b.flags & TLXMLDocument::kNotEnded);
    EXPECT_EQ(b.first_child, 0u);
    EXPECT_EQ(doc.GetRecord(3).parent, 1u);
    EXPECT_EQ(doc.GetRecord(1).length, 14u);
}

TEST(XMLIndex, ProblemsOfLaterDocumentsAreAppendedToTheErrorText) {
    TLXMLDocument doc;
    EXPECT_FALSE(doc.SetDocument(u""_tl));
    EXPECT_FALSE(doc.SetDocument(u"<a/><b/>"_tl));
    EXPECT_TRUE(doc.SetDocument(u"<a/>"_tl));
    EXPECT_EQ(doc.GetError(), u"Empty document, Root element has sibling");
    doc.ClearError();
    EXPECT_FALSE(doc.SetDocument(u"<a>"_tl));
    EXPECT_EQ(doc.GetError(), u"Element 'a' at offset 0 not ended");
}

TEST(XMLIndex, DeepNestingAndManyElementsNeedNoCallStack) {
    // Deep enough that any recursion over the tree would overflow the stack; the index also grows
    // across several pages of records.
    const int depth = 200000;
    std::u16string open, close;
    for (int i = 0; i < depth; ++i) open += u"<a>", close += u"</a>";
    TLXMLDocument doc;
    EXPECT_TRUE(doc.SetDocument(TLString(open + close)));
    EXPECT_EQ(doc.GetElementCount(), static_cast<uint32_t>(depth));
    EXPECT_TRUE(doc.FindElement(u"//a[150000]"));
    EXPECT_EQ(doc.GetRecord(doc.GetCurrentElement()).start, 3u * 149999);

    // Stray end tags under every open element must not make the search for a match quadratic.
    std::u16string stray;
    for (int i = 0; i < depth / 2; ++i) stray += u"</b>";
    EXPECT_FALSE(doc.SetDocument(TLString(open + stray + close)));
    EXPECT_EQ(doc.GetError(), TLString::Format(u"End tag 'b' at offset %d does not match start tag 'a' at offset %d",
                                               3 * depth, 3 * depth - 3));
    EXPECT_EQ(doc.GetRecord(1).length, static_cast<uint32_t>(7 * depth + 4 * (depth / 2)));
    doc.ClearError();

    EXPECT_FALSE(doc.SetDocument(TLString(open + u"</x>")));  // every element cut back
    EXPECT_EQ(doc.GetElementCount(), static_cast<uint32_t>(depth));
    tltest::ExpectIndexConsistent(doc);
    EXPECT_EQ(doc.GetRecord(depth).parent, 0u);
}

// --- Path search ---------------------------------------------------------------------------------

const char16_t kPackages[] =
    u"<Root id='R'>\r\n"
    u" <Package id='P1'><Action id='A1'/><Action id='A2' n='x'/></Package>\r\n"
    u" <Package id='P2'><Action id='B1'/><Note id='N'/></Package>\r\n"
    u" <Settings id='S'><Item id='I1' Name='k'>v</Item><Item id='I2'/></Settings>\r\n"
    u"</Root>";

struct PathCase {
    std::vector<std::u16string_view> into;  // found and entered, in order, before the search
    std::u16string_view before;             // found (not entered) before the search
    std::u16string_view path;
    unsigned flags;
    const char16_t* found_id;  // empty: the search fails and leaves the position
};

const PathCase kPathCases[] = {
    {{}, u"", u"/*/Package/Action", 0, u"A1"},
    {{}, u"", u"/Root/Package[2]/Action", 0, u"B1"},
    {{}, u"", u"/*/Package/Action[2]", 0, u"A2"},
    {{}, u"", u"/*/Package/Action[3]", 0, u""},
    {{}, u"", u"/*/Package[@id]", 0, u"P1"},
    {{}, u"", u"/*/Package/Action[@n='y']", 0, u"A2"},  // the value is not compared
    {{}, u"", u"/*/Package[Note]", 0, u"P2"},
    {{}, u"", u"/*/Package[Note]/Note", 0, u"N"},
    {{}, u"", u"/*/*[3]/Item[2]", 0, u"I2"},
    {{}, u"", u"/*/package/ACTION", 0, u""},
    {{}, u"", u"/*/package/ACTION", kIgnoreCase, u"A1"},
    {{}, u"", u"/*/Pack", 0, u""},
    {{}, u"", u"/*/Package/Nothing", 0, u""},
    {{}, u"", u"/*/Settings/Item/Deeper", 0, u""},
    {{}, u"", u"/", 0, u"R"},
    {{}, u"", u"/Root", 0, u"R"},
    {{}, u"", u"/Other", 0, u""},
    {{}, u"", u"//Note", 0, u"N"},
    {{}, u"", u"//Action[3]", 0, u"B1"},
    {{}, u"", u"//Item/x", 0, u""},
    {{}, u"", u"//", 0, u"R"},
    {{}, u"/*/Package[2]", u"//Action", 0, u"B1"},
    {{}, u"/*/Package[2]", u"//Item", 0, u"I1"},
    {{}, u"/*/Settings", u"//Action", 0, u""},
    {{}, u"/*/Package[@id]", u"Package", 0, u"P2"},  // relative: after the current element
    {{}, u"/*/Settings", u"Package", 0, u""},        // no next sibling
    {{u"/Root"}, u"", u"Settings", 0, u"S"},
    {{u"/Root"}, u"", u"Settings/Item[2]", 0, u"I2"},
    {{u"/Root"}, u"", u"*", 0, u"P1"},
    {{u"/Root"}, u"", u"", 0, u"P1"},
    {{u"/Root"}, u"Package", u"", 0, u"P2"},
    {{u"/Root", u"Settings"}, u"", u"Item[@Name]", 0, u"I1"},
    {{u"/Root"}, u"", u"Package[0]", 0, u""},
    {{u"/Root"}, u"", u"Package[@]", 0, u""},
    {{u"/Root"}, u"", u"Package[1", 0, u""},
};

class XMLPath : public testing::TestWithParam<PathCase> {};

TEST_P(XMLPath, FindsItsElement) {
    const PathCase& c = GetParam();
    TLXMLDocument doc(c.flags);
    ASSERT_TRUE(doc.SetDocument(TLString(kPackages)));
    for (std::u16string_view step : c.into) {
        ASSERT_TRUE(doc.FindElement(step));
        ASSERT_TRUE(doc.IntoElement());
    }
    if (!c.before.empty()) {
        ASSERT_TRUE(doc.FindElement(c.before));
    }
    const Element parent = doc.GetCurrentParent(), element = doc.GetCurrentElement();
    const bool found = doc.FindElement(c.path);
    EXPECT_EQ(found, *c.found_id != 0);
    if (found) {
        EXPECT_EQ(doc.GetAttribute(u"id"), c.found_id);
        EXPECT_EQ(doc.GetCurrentParent(), doc.GetRecord(doc.GetCurrentElement()).parent);
        EXPECT_EQ(doc.GetCurrentChild(), 0u);
    } else {
        EXPECT_EQ(doc.GetCurrentParent(), parent);
        EXPECT_EQ(doc.GetCurrentElement(), element);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, XMLPath, testing::ValuesIn(kPathCases));

TEST(XMLPosition, ChildSearchRunsAfterTheCurrentChildAndRestarts) {
    TLXMLDocument doc;
    ASSERT_TRUE(doc.SetDocument(TLString(kPackages)));
    ASSERT_TRUE(doc.FindChildElement(u"Package"));  // the root becomes current first
    EXPECT_EQ(doc.GetAttribute(u"id"), u"R");
    EXPECT_EQ(doc.GetAttribute(doc.GetCurrentChild(), u"id"), u"P1");
    ASSERT_TRUE(doc.FindChildElement(u"Package"));
    EXPECT_EQ(doc.GetAttribute(doc.GetCurrentChild(), u"id"), u"P2");
    EXPECT_FALSE(doc.FindChildElement(u"Package"));
    EXPECT_EQ(doc.GetAttribute(doc.GetCurrentChild(), u"id"), u"P2");
    ASSERT_TRUE(doc.FindChildElement(u"Package", true));
    EXPECT_EQ(doc.GetAttribute(doc.GetCurrentChild(), u"id"), u"P1");

    // Into makes the child current; Out steps back with the element as the child again.
    ASSERT_TRUE(doc.IntoElement());
    EXPECT_EQ(doc.GetAttribute(u"id"), u"P1");
    EXPECT_EQ(doc.GetChildData(u"Action"), u"");
    ASSERT_TRUE(doc.FindElement(u"Settings"));
    EXPECT_EQ(doc.GetChildData(u"Item"), u"v");
    EXPECT_EQ(doc.GetAttribute(u"id"), u"S");
    EXPECT_EQ(doc.GetCurrentChild(), 0u);
    ASSERT_TRUE(doc.OutOfElement());
    EXPECT_EQ(doc.GetAttribute(u"id"), u"R");
    EXPECT_EQ(doc.GetAttribute(doc.GetCurrentChild(), u"id"), u"S");
    EXPECT_FALSE(doc.OutOfElement());
}

TEST(XMLPosition, NodesOfMixedContentComeInOrderWithTheirKindsNamesAndData) {
    TLXMLDocument doc;
    doc.SetDocument(u"<r><!--c-->t&amp;x<b/> <?pi d?><![CDATA[<x>]]></s></r>"_tl);
    EXPECT_EQ(doc.GetError(), u"End tag 's' at offset 46 does not match start tag 'r' at offset 0");
    ASSERT_TRUE(doc.FindElement(u"/r"));
    ASSERT_TRUE(doc.IntoElement());
    struct Expected {
        TLXMLDocument::NodeKind kind;
        const char16_t* name;
        const char16_t* data;
    };
    const Expected expected[] = {
        {TLXMLDocument::kCommentNode, u"#comment", u"c"},
        {TLXMLDocument::kTextNode, u"#text", u"t&x"},
        {TLXMLDocument::kElementNode, u"b", u""},
        {TLXMLDocument::kWhitespaceNode, u"#text", u" "},
        {TLXMLDocument::kProcessingInstructionNode, u"pi", u"pi d"},
        {TLXMLDocument::kCDataNode, u"#cdata-section", u"<x>"},
        {TLXMLDocument::kLoneEndTagNode, u"s", u""},
    };
    for (const Expected& x : expected) {
        ASSERT_TRUE(doc.FindNode());
        EXPECT_EQ(doc.GetCurrentNode().kind, x.kind);
        EXPECT_EQ(doc.GetTagName(), x.name);
        EXPECT_EQ(doc.GetData(), x.data);
    }
    EXPECT_FALSE(doc.FindNode());

    ASSERT_TRUE(doc.FindElement(u"/r"));
    ASSERT_TRUE(doc.IntoElement());
    ASSERT_TRUE(doc.FindNode(TLXMLDocument::kCDataNode | TLXMLDocument::kElementNode));
    EXPECT_EQ(doc.GetTagName(), u"b");
    ASSERT_TRUE(doc.FindNode(TLXMLDocument::kCDataNode | TLXMLDocument::kElementNode));
    EXPECT_EQ(doc.GetTagName(), u"#cdata-section");
    EXPECT_EQ(doc.GetCurrentElement(), 2u);  // the element before the node stays current
}

// --- Reading ---------------------------------------------------------------------------------------

struct DataCase {
    const char16_t* text;  // the element read is the root
    const char16_t* data;
    const char16_t* attribute;  // of "a"
};

const DataCase kDataCases[] = {
    {u"<r a='1'>x &amp; y</r>", u"x & y", u"1"},
    {u"<r a=\"&lt;&quot;\"/>", u"", u"<\""},
    {u"<r a=x b=y>z</r>", u"z", u"x"},
    {u"<r b='a=1' a = 'two words' >z</r>", u"z", u"two words"},
    {u"<r A='1'/>", u"", u""},
    {u"<r a>t<!--c-->u<![CDATA[<&amp;>]]> <?p?>v</r>", u"tu<&amp;>v", u""},
    {u"<r>  <![CDATA[ x ]]>  </r>", u" x ", u""},
    {u"<r>t<b/>u</r>", u"", u""},
    {u"<r>&#65;&#x41;&nbsp;&#0;</r>", u"AA&nbsp;&#0;", u""},
};

class XMLData : public testing::TestWithParam<DataCase> {};

TEST_P(XMLData, ReadsContentAndAttribute) {
    const DataCase& c = GetParam();
    TLXMLDocument doc;
    ASSERT_TRUE(doc.SetDocument(TLString(c.text)));
    ASSERT_TRUE(doc.FindElement());
    EXPECT_EQ(doc.GetData(), c.data);
    EXPECT_EQ(doc.GetAttribute(u"a"), c.attribute);
}

INSTANTIATE_TEST_SUITE_P(Table, XMLData, testing::ValuesIn(kDataCases));

TEST(XMLData, AttributeNamesFollowTheDocumentsCaseRule) {
    TLXMLDocument doc(kIgnoreCase);
    ASSERT_TRUE(doc.SetDocument(u"<r NAME='n'/>"_tl));
    ASSERT_TRUE(doc.FindElement(u"/R"));
    EXPECT_EQ(doc.GetAttribute(u"name"), u"n");
    EXPECT_TRUE(doc.HasAttribute(doc.GetCurrentElement(), u"Name"));
}

// --- Escaping and decoding -------------------------------------------------------------------------

struct EscapeCase {
    std::u16string_view text;
    std::u16string_view data;
    std::u16string_view attribute;
};

const EscapeCase kEscapeCases[] = {
    {u"plain", u"plain", u"plain"},
    {u"a&b<c>d", u"a&amp;b&lt;c&gt;d", u"a&amp;b&lt;c&gt;d"},
    {u"\"it's\"", u"\"it's\"", u"&quot;it&apos;s&quot;"},
    {u"&amp;", u"&amp;amp;", u"&amp;amp;"},
    {u"\t\r\n", u"\t\r\n", u"\t\r\n"},
    {std::u16string_view(u"\x01\x02\x1F\0", 4), u"&#x1;???", u"&#x1;???"},
    {u"\U0001F600\xFFFF", u"\U0001F600\xFFFF", u"\U0001F600\xFFFF"},
};

class XMLEscape : public testing::TestWithParam<EscapeCase> {};

TEST_P(XMLEscape, EscapesForDataAndAttributesAndDecodesBack) {
    const EscapeCase& c = GetParam();
    EXPECT_EQ(TLXMLDocument::EscapeData(c.text), c.data);
    EXPECT_EQ(TLXMLDocument::EscapeAttribute(c.text), c.attribute);
    const bool has_control = std::any_of(c.text.begin(), c.text.end(),
                                         [](char16_t ch) { return ch < 32 && ch != 9 && ch != 10 && ch != 13; });
    if (!has_control) {
        EXPECT_EQ(TLXMLDocument::Decode(TLXMLDocument::EscapeData(c.text)), c.text);
        EXPECT_EQ(TLXMLDocument::Decode(TLXMLDocument::EscapeAttribute(c.text)), c.text);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, XMLEscape, testing::ValuesIn(kEscapeCases));

struct DecodeCase {
    std::u16string_view text;
    std::u16string_view decoded;
};

const DecodeCase kDecodeCases[] = {
    {u"&lt;&amp;&gt;&apos;&quot;", u"<&>'\""},
    {u"&LT;&Amp;", u"&LT;&Amp;"},
    {u"&#65;&#x41;&#x6a;&#x6A;", u"AAjj"},
    {u"&#xFFFF;&#65535;", u"\xFFFF\xFFFF"},
    {u"&#x1F600;&#128512;", u"\U0001F600\U0001F600"},  // a surrogate pair, never cut to 16 bits
    {u"&#x10FFFF;", u"\U0010FFFF"},
    {u"&#x110000;&#x1000000;", u"&#x110000;&#x1000000;"},
    {u"&#0;&#x0;&#;&#x;", u"&#0;&#x0;&#;&#x;"},
    {u"&#1234567;&#65 ;&#6a;&#X41;", u"&#1234567;&#65 ;&#6a;&#X41;"},
    {u"&nbsp;&&amp;&", u"&nbsp;&&&"},
    {u"&#65", u"&#65"},
    {u"a&amp;amp;b", u"a&amp;b"},
};

class XMLDecode : public testing::TestWithParam<DecodeCase> {};

TEST_P(XMLDecode, DecodesReferencesItKnowsAndLeavesTheRest) {
    EXPECT_EQ(TLXMLDocument::Decode(GetParam().text), GetParam().decoded);
}

INSTANTIATE_TEST_SUITE_P(Table, XMLDecode, testing::ValuesIn(kDecodeCases));

// --- Editing ---------------------------------------------------------------------------------------

// After an edit the index must equal the index a fresh parse of the edited text gives.
void ExpectIndexMatchesReparse(const TLXMLDocument& doc) {
    tltest::ExpectIndexConsistent(doc);
    TLXMLDocument fresh(doc.GetFlags());
    fresh.SetDocument(doc.GetDocument());
    ASSERT_EQ(fresh.GetElementCount(), doc.GetElementCount());
    // Records are numbered in creation order, so compare them by document order.
    std::vector<TLXMLDocument::Record> mine, theirs;
    for (Element e = 1; e <= doc.GetElementCount(); ++e) mine.push_back(doc.GetRecord(e));
    for (Element e = 1; e <= fresh.GetElementCount(); ++e) theirs.push_back(fresh.GetRecord(e));
    auto by_start = [](const auto& a, const auto& b) { return a.start < b.start; };
    std::sort(mine.begin(), mine.end(), by_start);
    std::sort(theirs.begin(), theirs.end(), by_start);
    for (size_t i = 0; i < mine.size(); ++i) {
        EXPECT_EQ(mine[i].start, theirs[i].start) << i;
        EXPECT_EQ(mine[i].length, theirs[i].length) << i;
        EXPECT_EQ(mine[i].start_tag_length, theirs[i].start_tag_length) << i;
        EXPECT_EQ(mine[i].end_tag_length, theirs[i].end_tag_length) << i;
        EXPECT_EQ(mine[i].flags & 0xFF, theirs[i].flags & 0xFF) << i;
    }
    EXPECT_EQ(doc.GetRecord(0).length, doc.GetDocument().length());
}

TEST(XMLEdit, AddedElementsAndAttributesBuildAnItemList) {
    TLXMLDocument doc(kIgnoreCase);
    ASSERT_TRUE(doc.AddElement(u"Item", u"1"));
    ASSERT_TRUE(doc.SetAttribute(u"Name", u"a"));
    ASSERT_TRUE(doc.AddElement(u"Item", u"x<y"));
    ASSERT_TRUE(doc.SetAttribute(u"Name", u"b\"c"));
    ASSERT_TRUE(doc.AddElement(u"Item"));
    EXPECT_EQ(doc.GetDocument(), u"<Item Name=\"a\">1</Item>\r\n<Item Name=\"b&quot;c\">x&lt;y</Item>\r\n<Item/>\r\n");
    ExpectIndexMatchesReparse(doc);
    ASSERT_TRUE(doc.FindElement(u"/item[2]"));
    EXPECT_EQ(doc.GetData(), u"x<y");
    EXPECT_EQ(doc.GetAttribute(u"name"), u"b\"c");
}

struct EditCase {
    const char16_t* text;
    unsigned flags;
    std::vector<std::u16string_view> into;  // found and entered in order
    std::u16string_view current;            // found after that (empty: no current element)
    std::u16string_view name;               // added element
    std::u16string_view data;
    const char16_t* result;
};

const EditCase kEditCases[] = {
    {u"<r><a/><c/></r>", TLXMLDocument::kNoLineBreaks, {u"/r"}, u"a", u"b", u"", u"<r><a/><b/><c/></r>"},
    {u"<r><a/><c/></r>", TLXMLDocument::kNoLineBreaks, {u"/r"}, u"", u"z", u"1", u"<r><a/><c/><z>1</z></r>"},
    {u"<r>\r\n<a/>\r\n</r>", 0, {u"/r"}, u"a", u"b", u"", u"<r>\r\n<a/>\r\n<b/>\r\n</r>"},
    {u"<r/>", 0, {u"/r"}, u"", u"a", u"1", u"<r><a>1</a>\r\n</r>"},
    {u"<r//>", TLXMLDocument::kNoLineBreaks, {u"/r"}, u"", u"a", u"", u"<r/ ><a/></r>"},
    {u"<r><p/></r>", TLXMLDocument::kNoLineBreaks, {u"/r", u"p"}, u"", u"a", u"", u"<r><p><a/></p></r>"},
    {u"<r>text</r>", TLXMLDocument::kNoLineBreaks, {u"/r"}, u"", u"a", u"&", u"<r>text<a>&amp;</a></r>"},
    {u"<r><x><y/></r>", TLXMLDocument::kNoLineBreaks, {u"/r", u"x"}, u"", u"a", u"", u"<r><x><a/></x><y/></r>"},
};

class XMLEdit : public testing::TestWithParam<EditCase> {};

TEST_P(XMLEdit, AddsTheElementWhereThePositionSaysAndPatchesTheIndex) {
    const EditCase& c = GetParam();
    TLXMLDocument doc(c.flags);
    doc.SetDocument(TLString(c.text));
    for (std::u16string_view step : c.into) {
        ASSERT_TRUE(doc.FindElement(step));
        ASSERT_TRUE(doc.IntoElement());
    }
    if (!c.current.empty()) {
        ASSERT_TRUE(doc.FindElement(c.current));
    }
    ASSERT_TRUE(doc.AddElement(c.name, c.data));
    EXPECT_EQ(doc.GetDocument(), c.result);
    EXPECT_EQ(doc.GetElementName(doc.GetCurrentElement()), c.name);
    EXPECT_EQ(doc.GetData(), c.data);
    ExpectIndexMatchesReparse(doc);
}

INSTANTIATE_TEST_SUITE_P(Table, XMLEdit, testing::ValuesIn(kEditCases));

struct SetAttributeCase {
    const char16_t* text;  // the attribute is set on the root
    std::u16string_view name;
    std::u16string_view value;
    const char16_t* result;
};

const SetAttributeCase kSetAttributeCases[] = {
    {u"<r/>", u"a", u"1", u"<r a=\"1\"/>"},
    {u"<r />", u"a", u"1", u"<r a=\"1\"/>"},
    {u"<r b='2'>t</r>", u"a", u"<'&\"", u"<r b='2' a=\"&lt;&apos;&amp;&quot;\">t</r>"},
    {u"<r a=1/>", u"a", u"2", u"<r a=\"2\"/>"},  // the "/" of an empty element is no part of the value
    {u"<r a = 'x' b=y>t</r>", u"a", u"", u"<r a=\"\" b=y>t</r>"},
    {u"<r a b=1/>", u"a", u"v", u"<r a=\"v\" b=1/>"},
    // A quote inside an unquoted value runs to the next quote, for the parser as for the edit.
    {u"<r a=x\"y>z\">t</r>", u"a", u"v", u"<r a=\"v\">t</r>"},
};

class XMLSetAttribute : public testing::TestWithParam<SetAttributeCase> {};

TEST_P(XMLSetAttribute, WritesTheValueAndKeepsTheStructure) {
    const SetAttributeCase& c = GetParam();
    TLXMLDocument doc;
    ASSERT_TRUE(doc.SetDocument(TLString(c.text)));
    ASSERT_TRUE(doc.FindElement());
    ASSERT_TRUE(doc.SetAttribute(c.name, c.value));
    EXPECT_EQ(doc.GetDocument(), c.result);
    EXPECT_EQ(doc.GetAttribute(c.name), c.value);
    ExpectIndexMatchesReparse(doc);
}

INSTANTIATE_TEST_SUITE_P(Table, XMLSetAttribute, testing::ValuesIn(kSetAttributeCases));

TEST(XMLEdit, SetAttributeReplacesOrAddsAndMovesTheRecordsAfterIt) {
    TLXMLDocument doc;
    ASSERT_TRUE(doc.SetDocument(u"<r><a x='1' y=\"2\">t</a><b /><c>u</c></r>"_tl));
    ASSERT_TRUE(doc.FindElement(u"/r/a"));
    ASSERT_TRUE(doc.SetAttribute(u"x", u"it's"));
    ASSERT_TRUE(doc.SetAttribute(u"z", u""));
    ASSERT_TRUE(doc.FindElement(u"b"));
    ASSERT_TRUE(doc.SetAttribute(u"q", u"<"));
    EXPECT_EQ(doc.GetDocument(), u"<r><a x=\"it&apos;s\" y=\"2\" z=\"\">t</a><b q=\"&lt;\"/><c>u</c></r>");
    ExpectIndexMatchesReparse(doc);
    ASSERT_TRUE(doc.FindElement(u"c"));
    EXPECT_EQ(doc.GetData(), u"u");
    EXPECT_FALSE(doc.SetAttribute(0, u"x", u"y"));
}

}  // namespace
