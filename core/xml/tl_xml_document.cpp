// The document: its index storage, position, reading and editing. Parsing is in xml_parser.cpp, path
// searches in xml_path.cpp, escaping and decoding in xml_escape.cpp.

#include "core/xml/tl_xml_document.h"

#include <algorithm>

#include "core/xml/xml_scan.h"

using namespace tlxml_scan;

// Room for the records every parse reserves, so that parsing a small text allocates nothing more.
TLXMLDocument::TLXMLDocument(unsigned flags) : flags_(flags) { ClearIndex(kReservedRecords); }

TLXMLDocument::~TLXMLDocument() = default;

// The pages stay allocated for the next document, so a document object that is reused parses
// without allocating.
void TLXMLDocument::ClearIndex(uint32_t records) {
    count_ = 0;
    Reserve(records);
    At(0) = Record{};
    well_formed_ = false;
    ResetPosition();
}

void TLXMLDocument::Reserve(uint32_t records) {
    while (reserved_ < records) {
        const size_t page = reserved_ >> 16;
        const uint32_t wanted = std::min<uint32_t>(records - (static_cast<uint32_t>(page) << 16), kRecordsPerPage);
        if (page < pages_.size()) {
            // The last page is partial: grow it at least twofold, up to a full page.
            const uint32_t size = std::min<uint32_t>(std::max(wanted, page_sizes_[page] * 2), kRecordsPerPage);
            auto grown = std::make_unique_for_overwrite<Record[]>(size);
            std::copy_n(pages_[page].get(), page_sizes_[page], grown.get());
            pages_[page] = std::move(grown);
            page_sizes_[page] = size;
        } else {
            pages_.push_back(std::make_unique_for_overwrite<Record[]>(wanted));
            page_sizes_.push_back(wanted);
        }
        reserved_ = (static_cast<uint32_t>(page) << 16) + page_sizes_[page];
    }
}

size_t TLXMLDocument::GetIndexMemory() const {
    size_t records = 0;
    for (uint32_t size : page_sizes_) records += size;
    return records * sizeof(Record) + pages_.capacity() * (sizeof(pages_[0]) + sizeof(page_sizes_[0]));
}

bool TLXMLDocument::IsWellFormed() const { return well_formed_; }

TLXMLDocument::Record TLXMLDocument::GetRecord(Element element) const {
    return IsValidElement(element) ? At(element) : Record{};
}

uint32_t TLXMLDocument::NameLength(Element element) const {
    const Record& r = At(element);
    const uint32_t cached = r.flags >> kNameLengthShift;
    if (cached) return cached;
    const uint32_t tag_end = r.start + r.start_tag_length;
    return SkipTo(text_.data(), r.start + 1, tag_end, kElementNameEnd) - r.start - 1;
}

std::u16string_view TLXMLDocument::GetElementName(Element element) const {
    if (element == 0 || !IsValidElement(element)) return {};
    return {text_.data() + At(element).start + 1, NameLength(element)};
}

uint32_t TLXMLDocument::ContentStart(Element element) const {
    if (!element) return 0;
    const Record& r = At(element);
    return r.start + r.start_tag_length;
}

uint32_t TLXMLDocument::ContentEnd(Element element) const {
    if (!element) return static_cast<uint32_t>(text_.length());
    const Record& r = At(element);
    return std::max(r.start + r.length - r.end_tag_length, ContentStart(element));
}

bool TLXMLDocument::NamesEqual(std::u16string_view a, std::u16string_view b) const {
    return tlxml_scan::NamesEqual(a, b, (flags_ & kIgnoreCase) != 0);
}

bool TLXMLDocument::IsChildOf(Element child, Element parent) const {
    return child && IsValidElement(child) && At(child).parent == parent;
}

bool TLXMLDocument::HasChildNamed(Element element, std::u16string_view name) const {
    for (Element c = At(element).first_child; c; c = At(c).next_sibling)
        if (NameIs(c, name)) return true;
    return false;
}

// --- Position -----------------------------------------------------------------------------------

void TLXMLDocument::ResetPosition() {
    parent_ = element_ = child_ = 0;
    node_ = Node{};
}

bool TLXMLDocument::SetPosition(Element parent, Element element, Element child) {
    if (!IsValidElement(parent)) return false;
    if (element && !IsChildOf(element, parent)) return false;
    if (child && (!element || !IsChildOf(child, element))) return false;
    parent_ = parent;
    element_ = element;
    child_ = child;
    node_ = Node{};
    return true;
}

TLXMLDocument::Node TLXMLDocument::GetCurrentNode() const {
    if (node_.kind != kNone) return node_;
    if (!element_) return Node{};
    return {At(element_).start, At(element_).length, kElementNode};
}

bool TLXMLDocument::FindChildElement(std::u16string_view path, bool restart) {
    if (!element_) {
        const Element first = At(parent_).first_child;
        if (!first) return false;
        element_ = first;
        child_ = 0;
        node_ = Node{};
    }
    const Element parent = parent_, element = element_, child = child_;
    parent_ = element;
    element_ = restart ? 0 : child;
    child_ = 0;
    node_ = Node{};
    const bool found = FindElement(path) && IsChildOf(element_, element);
    const Element found_child = element_;
    parent_ = parent;
    element_ = element;
    child_ = found ? found_child : child;
    return found;
}

bool TLXMLDocument::FindNode(unsigned kinds) {
    const char16_t* p = text_.data();
    const uint32_t end = ContentEnd(parent_);
    Element element = element_;
    uint32_t at = node_.kind != kNone ? node_.offset + node_.length
                  : element_          ? At(element_).start + At(element_).length
                                      : ContentStart(parent_);
    Element next = element ? At(element).next_sibling : At(parent_).first_child;
    while (at < end) {
        if (next && At(next).start == at) {
            element = next;
            if (kinds & kElementNode) {
                element_ = element;
                child_ = 0;
                node_ = Node{};
                return true;
            }
            at += std::max<uint32_t>(At(element).length, 1);
            next = At(element).next_sibling;
            continue;
        }
        Node node = LexNode(p, at, next ? At(next).start : end);
        if (node.kind == kElementNode) node.kind = kTextNode;  // a start tag the parser did not index
        if (node.kind & kinds) {
            element_ = element;
            child_ = 0;
            node_ = node;
            return true;
        }
        at += node.length;
    }
    return false;
}

bool TLXMLDocument::IntoElement() {
    if (!element_ || node_.kind != kNone) return false;
    parent_ = element_;
    element_ = child_;
    child_ = 0;
    return true;
}

bool TLXMLDocument::OutOfElement() {
    if (!parent_) return false;
    child_ = element_;
    element_ = parent_;
    parent_ = At(parent_).parent;
    node_ = Node{};
    return true;
}

// --- Reading ------------------------------------------------------------------------------------

TLString TLXMLDocument::GetData() const {
    if (node_.kind != kNone) return NodeData(node_);
    return element_ ? GetData(element_) : TLString();
}

TLString TLXMLDocument::GetData(Element element) const {
    if (!element || !IsValidElement(element)) return {};
    const Record& r = At(element);
    if (r.first_child || (r.flags & (kEmptyElement | kNotEnded))) return {};
    const uint32_t from = ContentStart(element), to = ContentEnd(element);
    const char16_t* p = text_.data();
    const uint32_t markup_or_reference = FindAny(p, from, to, u'<', u'&', u'<');
    if (markup_or_reference == to) return TLString(p + from, to - from);
    if (Find(p, markup_or_reference, to, u'<') == to) return Decode(std::u16string_view(p + from, to - from));
    return MixedContentData(from, to);
}

namespace {

// What lies between a delimited node's opener and its closer (the closer may be missing when the text
// ended inside the node).
std::u16string_view Between(std::u16string_view node, size_t opener, std::u16string_view closer) {
    if (node.size() < opener) return {};
    std::u16string_view body = node.substr(opener);
    if (body.size() >= closer.size() && body.substr(body.size() - closer.size()) == closer)
        body.remove_suffix(closer.size());
    return body;
}

std::u16string_view CDataBody(std::u16string_view node) { return Between(node, 9, u"]]>"); }

}  // namespace

// Text decoded and CDATA taken literally never grow, so one buffer the size of the content holds it.
TLString TLXMLDocument::MixedContentData(uint32_t from, uint32_t to) const {
    TLString data;
    char16_t* out = data.GetBuffer(to - from);
    size_t written = 0;
    const char16_t* p = text_.data();
    while (from < to) {
        const Node node = LexNode(p, from, to);
        if (node.kind == kTextNode) {
            written += DecodeInto(std::u16string_view(p + node.offset, node.length), out + written);
        } else if (node.kind == kCDataNode) {
            const std::u16string_view body = CDataBody(std::u16string_view(p + node.offset, node.length));
            std::copy(body.begin(), body.end(), out + written);
            written += body.size();
        }
        from += node.length;
    }
    data.ReleaseBuffer(written);
    return data;
}

TLString TLXMLDocument::NodeData(const Node& node) const {
    const std::u16string_view text(text_.data() + node.offset, node.length);
    // Opener and closer lengths of the kinds whose content lies between fixed delimiters.
    auto inner = [&](size_t open, std::u16string_view close) {
        if (text.size() < open) return TLString();
        std::u16string_view body = text.substr(open);
        if (body.size() >= close.size() && body.substr(body.size() - close.size()) == close)
            body.remove_suffix(close.size());
        return TLString(body);
    };
    switch (node.kind) {
        case kTextNode:
            return Decode(text);
        case kWhitespaceNode:
            return TLString(text);
        case kCommentNode:
            return inner(4, u"-->");
        case kProcessingInstructionNode:
            return inner(2, u"?>");
        case kCDataNode:
            return inner(9, u"]]>");
        case kElementNode:
            return GetData(element_);
        default:
            return {};
    }
}

bool TLXMLDocument::HasAttribute(Element element, std::u16string_view name) const {
    return element && IsValidElement(element) && FindAttribute(element, name).found;
}

TLString TLXMLDocument::GetAttribute(Element element, std::u16string_view name) const {
    if (!element || !IsValidElement(element)) return {};
    const AttributeSpan span = FindAttribute(element, name);
    if (!span.found) return {};
    return Decode(std::u16string_view(text_.data() + span.value_start, span.value_end - span.value_start));
}

TLXMLDocument::AttributeSpan TLXMLDocument::FindAttribute(Element element, std::u16string_view name) const {
    const char16_t* p = text_.data();
    const Record& r = At(element);
    // The closing ">", or the "/" before it that makes the element empty: no value may take that in.
    const uint32_t end = r.start + r.start_tag_length - ((r.flags & kEmptyElement) ? 2 : 1);
    uint32_t at = r.start + 1 + NameLength(element);
    for (;;) {
        at = SkipOver(p, at, end, kWhitespace);
        if (at >= end) return {};
        const uint32_t name_start = at;
        at = SkipToOutsideQuotes(p, at, end, kAttributeNameEnd);
        if (at == name_start) {
            ++at;  // a "/" or "?" that names nothing
            continue;
        }
        const std::u16string_view attribute(p + name_start, at - name_start);
        AttributeSpan span{true, name_start, at, at};
        at = SkipOver(p, at, end, kWhitespace);
        if (at < end && p[at] == u'=') {
            at = SkipOver(p, at + 1, end, kWhitespace);
            if (at < end && (p[at] == u'"' || p[at] == u'\'')) {
                const uint32_t close = Find(p, at + 1, end, p[at]);
                span.value_start = at + 1;
                span.value_end = close;
                span.span_end = std::min(close + 1, end);
            } else {
                span.value_start = at;
                span.value_end = SkipToOutsideQuotes(p, at, end, kUnquotedValueEnd);
                span.span_end = span.value_end;
            }
            at = span.span_end;
        } else {
            span.value_start = span.value_end = span.span_end = span.name_end;
        }
        if (NamesEqual(attribute, name)) return span;
    }
}

TLString TLXMLDocument::GetChildData(std::u16string_view name) {
    if (IsPlainName(name)) {
        // The position would be restored anyway: look among the children directly.
        const Element element = element_ ? element_ : At(parent_).first_child;
        if (!element) return {};
        for (Element c = At(element).first_child; c; c = At(c).next_sibling)
            if (NameIs(c, name)) return GetData(c);
        return {};
    }
    const Element parent = parent_, element = element_, child = child_;
    const Node node = node_;
    TLString data;
    if (FindChildElement(name, true)) data = GetData(child_);
    parent_ = parent;
    element_ = element;
    child_ = child;
    node_ = node;
    return data;
}

TLString TLXMLDocument::GetTagName() const {
    const char16_t* p = text_.data();
    switch (node_.kind) {
        case kNone:
            return TLString(GetElementName(element_));
        case kTextNode:
        case kWhitespaceNode:
            return u"#text"_tl;
        case kCDataNode:
            return u"#cdata-section"_tl;
        case kCommentNode:
            return u"#comment"_tl;
        case kProcessingInstructionNode:
        case kLoneEndTagNode:
        case kDocTypeNode: {
            const uint32_t from = node_.offset + 2, end = node_.offset + node_.length;
            if (from > end) return {};
            return TLString(p + from, SkipTo(p, from, end, kTagNameEnd) - from);
        }
        default:
            return {};
    }
}

// --- Editing ------------------------------------------------------------------------------------

void TLXMLDocument::Splice(uint32_t offset, uint32_t remove, std::u16string_view insert, Element owner) {
    const int64_t delta = static_cast<int64_t>(insert.size()) - remove;
    text_.Reserve(static_cast<size_t>(static_cast<int64_t>(text_.length()) + delta));
    text_.Erase(offset, remove);
    text_.Insert(offset, insert);
    for (Element e = 1; e <= count_; ++e) {
        Record& r = At(e);
        if (r.start >= offset) r.start = static_cast<uint32_t>(r.start + delta);
    }
    for (Element e = owner;; e = At(e).parent) {
        At(e).length = static_cast<uint32_t>(At(e).length + delta);
        if (!e) break;
    }
    node_ = Node{};
}

bool TLXMLDocument::SetAttribute(Element element, std::u16string_view name, std::u16string_view value) {
    if (!element || !IsValidElement(element) || name.empty()) return false;
    const TLString quoted = u"\"" + EscapeAttribute(value) + u"\"";
    const AttributeSpan span = FindAttribute(element, name);
    Record& r = At(element);
    const uint32_t tag_length_before = r.start_tag_length;
    uint32_t offset, remove;
    TLString insert;
    if (span.found) {
        offset = span.name_end;
        remove = span.span_end - span.name_end;
        insert = u"=" + quoted;
    } else {
        offset = r.start + r.start_tag_length - ((r.flags & kEmptyElement) ? 2 : 1);
        remove = 0;
        const bool space_before = InSet(text_[offset - 1], kWhitespace);
        insert = (space_before ? u""_tl : u" "_tl) + name + u"=" + quoted;
    }
    Splice(offset, remove, insert, element);
    At(element).start_tag_length = static_cast<uint32_t>(tag_length_before + insert.length() - remove);
    return true;
}

void TLXMLDocument::OpenContent(Element element) {
    Record& r = At(element);
    const TLString end_tag = u"</"_tl + GetElementName(element) + u">";
    if (r.flags & kEmptyElement) {
        // "<a/>" becomes "<a>"; should another "/" then stand before the ">" (as in "<a//>"), a space
        // keeps the tag from still reading as empty.
        const uint32_t slash = r.start + r.start_tag_length - 2;
        const bool slash_before = text_[slash - 1] == u'/';
        Splice(slash, 1, slash_before ? u" " : u"", element);
        At(element).start_tag_length -= slash_before ? 0 : 1;
    }
    Splice(ContentStart(element), 0, end_tag, element);
    Record& opened = At(element);
    opened.end_tag_length = static_cast<uint32_t>(end_tag.length());
    opened.flags &= ~(kEmptyElement | kNotEnded);
}

bool TLXMLDocument::AddElement(std::u16string_view name, std::u16string_view data) {
    if (name.empty()) return false;
    if (parent_ && (At(parent_).flags & (kEmptyElement | kNotEnded))) OpenContent(parent_);

    const Element first = At(parent_).first_child;
    const Element after = element_ ? element_ : (first ? At(first).previous_sibling : 0);
    uint32_t offset = after ? At(after).start + At(after).length : ContentEnd(parent_);
    const bool line_breaks = !(flags_ & kNoLineBreaks);
    if (after && line_breaks && std::u16string_view(text_).substr(offset, 2) == u"\r\n") offset += 2;

    TLString element_text = u"<"_tl + name;
    const uint32_t start_tag_length = static_cast<uint32_t>(element_text.length() + (data.empty() ? 2 : 1));
    if (data.empty()) {
        element_text += u"/>";
    } else {
        element_text += u">" + EscapeData(data) + u"</" + name + u">";
    }
    const uint32_t length = static_cast<uint32_t>(element_text.length());
    if (line_breaks) element_text += u"\r\n";
    Splice(offset, 0, element_text, parent_);

    const Element e = NewRecord();
    Record& r = At(e);
    r = Record{};
    r.start = offset;
    r.length = length;
    r.start_tag_length = start_tag_length;
    r.end_tag_length = data.empty() ? 0 : static_cast<uint32_t>(name.size() + 3);
    r.flags = (data.empty() ? uint32_t{kEmptyElement} : 0u) |
              (name.size() < kNameLengthLimit ? static_cast<uint32_t>(name.size()) << kNameLengthShift : 0);
    r.parent = parent_;
    if (!first) {
        At(parent_).first_child = e;
        r.previous_sibling = e;
    } else {
        Record& before = At(after);
        r.next_sibling = before.next_sibling;
        r.previous_sibling = after;
        before.next_sibling = e;
        if (r.next_sibling) {
            At(r.next_sibling).previous_sibling = e;
        } else {
            At(first).previous_sibling = e;
        }
    }
    element_ = e;
    child_ = 0;
    return true;
}
