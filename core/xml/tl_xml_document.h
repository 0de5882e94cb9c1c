#pragma once
// TLXMLDocument: a small in-memory XML document that keeps its UTF-16 text unchanged and builds an
// index of its elements beside it.
//
// Reading never copies element texts: every element is a fixed-size record of offsets into the text
// and links to its relatives. Editing (Set attribute, Add element) splices text into the document and
// patches the offsets of the records in place. The parser is lenient: it always builds an index,
// records the first problem it meets as a message with a character offset and leaves it to the caller
// whether an ill-formed document is usable.
//
// Element numbers are 32 bits wide: the high 16 bits select a page of 65,536 records and the low 16
// bits the record within it, so that a number stays valid while the index grows. Number 0 stands for
// the document itself (its first child is the root element) and means "none" in every link.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "core/string/tl_string.h"

class TLXMLDocument {
public:
    using Element = uint32_t;

    // Document flags.
    enum Flags : unsigned {
        kNoLineBreaks = 2,  // added elements are not followed by "\r\n"
        kIgnoreCase = 8,    // element and attribute names compare case-insensitively in every search
    };

    // Kinds of node in the content of an element or at top level; the values are bit masks so that
    // callers can ask for several kinds at once.
    enum NodeKind : unsigned {
        kNone = 0,
        kElementNode = 1,
        kTextNode = 2,
        kWhitespaceNode = 4,  // a run of space, tab, line feed and carriage return only
        kCDataNode = 8,
        kProcessingInstructionNode = 16,
        kCommentNode = 32,
        kDocTypeNode = 64,
        kLoneEndTagNode = 128,
        kAnyNode = 255,
    };

    // Flags of an element record. Bits from kFirstBookkeepingFlag upwards belong to the index itself.
    enum RecordFlags : uint32_t {
        kIllFormed = 1,     // on record 0: some problem was found while parsing
        kNotEnded = 2,      // the element had no end tag and was cut back to its start tag
        kEmptyElement = 4,  // written as an empty-element tag "<name/>"
        kFirstBookkeepingFlag = 0x100,
    };

    // One element record, the fields in their fixed order. Offsets and lengths count UTF-16 units.
    // Plain data, so that pages of records are allocated without being cleared first: write
    // Record{} for a record of zeros.
    struct Record {
        uint32_t start;             // offset of the "<" of the start tag
        uint32_t length;            // start tag through end tag
        uint32_t start_tag_length;  // "<name ...>" or "<name .../>"
        uint32_t end_tag_length;    // "</name>", 0 for an empty-element tag or an element not ended
        uint32_t flags;             // RecordFlags
        Element parent;
        Element first_child;
        Element next_sibling;
        Element previous_sibling;  // of the first child: the last child
    };

    // A node that is not an element (or an element seen as a node): where it lies and what it is.
    struct Node {
        uint32_t offset = 0;
        uint32_t length = 0;
        NodeKind kind = kNone;
    };

    static constexpr uint32_t kRecordsPerPage = 65536;

    explicit TLXMLDocument(unsigned flags = 0);
    TLXMLDocument(const TLXMLDocument&) = delete;
    TLXMLDocument& operator=(const TLXMLDocument&) = delete;
    ~TLXMLDocument();

    // Replaces the text, parses it and resets the position to before the root element. True when the
    // document is well formed: a root element, no second top-level element and no problem recorded.
    // The text is shared with the caller's string, not copied, until the document is edited.
    bool SetDocument(const TLString& text);
    bool SetDocument(std::u16string_view text);

    // The whole text, including every edit.
    const TLString& GetDocument() const { return text_; }
    // Empty, or the message of the first problem found (with earlier messages before it, see
    // SetDocument); cleared only by ClearError.
    const TLString& GetError() const { return error_; }
    void ClearError() { error_.Clear(); }
    bool IsWellFormed() const;

    unsigned GetFlags() const { return flags_; }
    void SetFlags(unsigned flags) { flags_ = flags; }

    // --- Position -------------------------------------------------------------------------------
    Element GetCurrentParent() const { return parent_; }
    Element GetCurrentElement() const { return element_; }
    Element GetCurrentChild() const { return child_; }
    // The node the position stands on: the current element, or a non-element node found by FindNode.
    Node GetCurrentNode() const;
    // Before the root element: parent 0 (the document), no current element, child or node.
    void ResetPosition();
    // Sets the position directly; false (position unchanged) when a number is not an element of the
    // index or the three do not form a parent, element and child chain.
    bool SetPosition(Element parent, Element element, Element child = 0);

    // Searches from the current parent and current element by a path: "//name" (document order from
    // the current element on), "/a/b" (absolute), "a/b" (relative: after the current element),
    // "*" for any name and one predicate per step: "[n]", "[@attribute...]" or "[child]". No path
    // (null or empty) finds the element after the current one. On success the found element becomes
    // current, its parent the current parent, and there is no current child; false changes nothing.
    bool FindElement(std::u16string_view path = {});
    // Searches among the current element's children after the current child (from the first child
    // when `restart` is set or there is no current child); the found element becomes the current
    // child. Without a current element the first element at the current level becomes current first.
    bool FindChildElement(std::u16string_view path = {}, bool restart = false);
    // Steps to the next node of the current parent's content after the current node or element whose
    // kind is in `kinds`; an element found becomes the current element.
    bool FindNode(unsigned kinds = kAnyNode);
    // The current element becomes the parent and the current child the current element.
    bool IntoElement();
    // The parent becomes the current element and the current element the current child.
    bool OutOfElement();

    // --- Reading --------------------------------------------------------------------------------
    // Content of an element without child elements, entities decoded and CDATA taken literally;
    // empty for an element with child elements. Without an argument: the current element, or the
    // content of the current non-element node.
    TLString GetData() const;
    TLString GetData(Element element) const;
    // Value of the first attribute of that name in the element's start tag, decoded; empty if absent.
    TLString GetAttribute(std::u16string_view name) const { return GetAttribute(element_, name); }
    TLString GetAttribute(Element element, std::u16string_view name) const;
    bool HasAttribute(Element element, std::u16string_view name) const;
    // Data of the first child element of that name under the current element; the position is kept.
    TLString GetChildData(std::u16string_view name);
    // Name of the current element or node: a tag name, "#text", "#cdata-section", "#comment", a
    // processing instruction's target or a lone end tag's name.
    TLString GetTagName() const;

    // --- Editing --------------------------------------------------------------------------------
    // Writes the attribute, escaped and in double quotes, into the element's start tag; an existing
    // attribute of that name gets the new value. False when there is no such element.
    bool SetAttribute(std::u16string_view name, std::u16string_view value) {
        return SetAttribute(element_, name, value);
    }
    bool SetAttribute(Element element, std::u16string_view name, std::u16string_view value);
    // Inserts "<name>data</name>" (or "<name/>" for empty data) after the current element among the
    // current parent's children, or after the parent's last child when there is no current element;
    // "\r\n" follows unless kNoLineBreaks is set. The new element becomes current.
    bool AddElement(std::u16string_view name, std::u16string_view data = {});

    // --- Index access (tests, fuzzing, tools) ---------------------------------------------------
    // Number of element records after record 0; element numbers run from 1 to this count.
    uint32_t GetElementCount() const { return count_; }
    // Record of an element number from 0 to GetElementCount(); a copy, so the index stays private.
    Record GetRecord(Element element) const;
    bool IsValidElement(Element element) const { return element <= count_; }
    std::u16string_view GetElementName(Element element) const;
    // Bytes the index occupies (reserved pages included).
    size_t GetIndexMemory() const;

    // --- Escaping and decoding ------------------------------------------------------------------
    // "&", "<" and ">" escaped; other control characters below 32 than tab, line feed and carriage
    // return become "?", the character 1 a character reference.
    static TLString EscapeData(std::u16string_view text);
    // As EscapeData, and the double quote and apostrophe escaped too.
    static TLString EscapeAttribute(std::u16string_view text);
    // The five predefined entities and numeric character references; anything else after "&" stays.
    static TLString Decode(std::u16string_view text);
    // Decodes into `out`, which has room for text.size() characters; returns the characters written.
    static size_t DecodeInto(std::u16string_view text, char16_t* out);

private:
    class Parser;
    class PathSearch;
    friend class Parser;
    friend class PathSearch;

    // Bits of Record::flags above the public ones: the length of the element's name, kept so that
    // searches and end tags compare names without scanning the start tag again (0 when too long).
    static constexpr uint32_t kNameLengthShift = 16;
    static constexpr uint32_t kNameLengthLimit = 0xFFFF;
    // A parse reserves records for one element per 64 characters of text and this many more.
    static constexpr uint32_t kReservedRecords = 8;

    Record& At(Element element) { return pages_[element >> 16][element & 0xFFFF]; }
    const Record& At(Element element) const { return pages_[element >> 16][element & 0xFFFF]; }
    // Makes room for element numbers below `records` (pages of kRecordsPerPage, the last one sized to
    // what is asked for).
    void Reserve(uint32_t records);
    Element NewRecord() {
        if (count_ + 1 >= reserved_) Reserve(count_ + 2);
        return ++count_;
    }
    // Empties the index, with room for element numbers below `records`.
    void ClearIndex(uint32_t records);
    uint32_t NameLength(Element element) const;
    uint32_t ContentStart(Element element) const;
    uint32_t ContentEnd(Element element) const;
    bool IsChildOf(Element child, Element parent) const;
    bool HasChildNamed(Element element, std::u16string_view name) const;
    bool NamesEqual(std::u16string_view a, std::u16string_view b) const;
    static bool IsPlainName(std::u16string_view path);
    // Whether the element's name is `name` by the document's case rule; the cached name length
    // settles most mismatches without touching the text.
    bool NameIs(Element element, std::u16string_view name) const {
        const Record& r = At(element);
        const uint32_t cached = r.flags >> kNameLengthShift;
        if (cached && cached != name.size()) return false;
        if (cached && std::u16string_view(text_.data() + r.start + 1, cached) == name) return true;
        return (!cached || (flags_ & kIgnoreCase)) && NamesEqual(GetElementName(element), name);
    }
    TLString NodeData(const Node& node) const;
    // Where an attribute lies in a start tag: its name, its value (inside the quotes) and the end of
    // the whole "name=value" text.
    struct AttributeSpan {
        bool found = false;
        uint32_t name_start = 0;
        uint32_t name_end = 0;
        uint32_t value_start = 0;
        uint32_t value_end = 0;
        uint32_t span_end = 0;
    };
    AttributeSpan FindAttribute(Element element, std::u16string_view name) const;
    TLString MixedContentData(uint32_t from, uint32_t to) const;
    // Replaces `remove` characters at `offset` by `insert`; records after the offset move, and the
    // lengths of `owner` and all its ancestors change by the difference.
    void Splice(uint32_t offset, uint32_t remove, std::u16string_view insert, Element owner);
    // Gives an empty or not-ended element an end tag, so that elements can be added inside it.
    void OpenContent(Element element);

    TLString text_;
    TLString error_;
    unsigned flags_ = 0;
    bool well_formed_ = false;
    std::vector<std::unique_ptr<Record[]>> pages_;
    std::vector<uint32_t> page_sizes_;
    uint32_t count_ = 0;     // records in use after record 0
    uint32_t reserved_ = 0;  // element numbers below this have a record
    Element parent_ = 0;
    Element element_ = 0;
    Element child_ = 0;
    Node node_;  // a non-element node the position stands on, kind kNone otherwise
};
