#include "core/xml/xml_scan.h"

namespace tlxml_scan {
namespace {

using Node = TLXMLDocument::Node;

// The ">" that ends a declaration inside a document type's internal subset, skipping quoted text.
uint32_t DeclarationEnd(const char16_t* p, uint32_t k, uint32_t end) {
    for (;;) {
        k = FindAny(p, k, end, u'>', u'"', u'\'');
        if (k >= end) return 0;
        if (p[k] == u'>') return k + 1;
        k = Find(p, k + 1, end, p[k]);
        if (k >= end) return 0;
        ++k;
    }
}

// Just after the "]" that closes the internal subset starting at `k`, or 0.
uint32_t InternalSubsetEnd(const char16_t* p, uint32_t k, uint32_t end) {
    while (k < end) {
        const char16_t c = p[k];
        if (c == u']') return k + 1;
        if (c == u'<' && k + 2 < end && p[k + 1] == u'!') {
            const char16_t d = p[k + 2];
            if (d == u'-' && k + 3 < end && p[k + 3] == u'-') {
                const uint32_t close = FindText(p, k + 4, end, u"-->");
                if (close >= end) return 0;
                k = close + 3;
                continue;
            }
            if (d == u'E' || d == u'A' || d == u'N') {
                k = DeclarationEnd(p, k + 2, end);
                if (!k) return 0;
                continue;
            }
        }
        if (c == u'<' && k + 1 < end && p[k + 1] == u'?') {
            const uint32_t close = FindText(p, k + 2, end, u"?>");
            if (close >= end) return 0;
            k = close + 2;
            continue;
        }
        ++k;
    }
    return 0;
}

uint32_t DocTypeEnd(const char16_t* p, uint32_t k, uint32_t end) {
    while (k < end) {
        const char16_t c = p[k];
        if (c == u'>') return k + 1;
        if (c == u'"' || c == u'\'') {
            k = Find(p, k + 1, end, c);
            if (k >= end) return 0;
            ++k;
        } else if (c == u'[') {
            k = InternalSubsetEnd(p, k + 1, end);
            if (!k) return 0;
        } else {
            ++k;
        }
    }
    return 0;
}

uint32_t TextAfter(const char16_t* p, uint32_t from, uint32_t end, std::u16string_view closer) {
    if (from > end) return 0;
    const uint32_t close = FindText(p, from, end, closer);
    return close >= end ? 0 : close + static_cast<uint32_t>(closer.size());
}

Node TextNode(const char16_t* p, uint32_t at, uint32_t text_end) {
    const auto kind = IsWhitespaceOnly(p, at, text_end) ? TLXMLDocument::kWhitespaceNode : TLXMLDocument::kTextNode;
    return {at, text_end - at, kind};
}

}  // namespace

Markup ClassifyMarkup(const char16_t* p, uint32_t at, uint32_t end) {
    if (at + 1 >= end) return Markup::kStartTag;  // cut short: reported as an unterminated element tag
    const char16_t c = p[at + 1];
    if (c == u'/') return Markup::kEndTag;
    if (c == u'?') return Markup::kProcessingInstruction;
    if (c == u'!') {
        if (at + 2 >= end) return Markup::kBadBangTag;
        const char16_t d = p[at + 2];
        if (d == u'-') return at + 3 >= end || p[at + 3] == u'-' ? Markup::kComment : Markup::kBadComment;
        if (d == u'[') return at + 3 >= end || p[at + 3] == u'C' ? Markup::kCData : Markup::kBadBangTag;
        if (d == u'D') return Markup::kDocType;
        return Markup::kBadBangTag;
    }
    return InSet(c, kTagNameEnd) ? Markup::kBadTagName : Markup::kStartTag;
}

const char16_t* UnterminatedName(Markup markup) {
    switch (markup) {
        case Markup::kEndTag:
            return u"Element end tag";
        case Markup::kComment:
            return u"Comment";
        case Markup::kCData:
            return u"CDATA Section";
        case Markup::kDocType:
            return u"Doctype";
        case Markup::kProcessingInstruction:
            return u"Processing instruction";
        default:
            return u"Element tag";
    }
}

uint32_t MarkupEnd(Markup markup, const char16_t* p, uint32_t at, uint32_t end) {
    switch (markup) {
        case Markup::kEndTag: {
            const uint32_t close = Find(p, at + 2, end, u'>');
            return close < end ? close + 1 : 0;
        }
        case Markup::kComment:
            return TextAfter(p, at + 4, end, u"-->");
        case Markup::kCData:
            return TextAfter(p, at + 9, end, u"]]>");
        case Markup::kProcessingInstruction:
            return TextAfter(p, at + 2, end, u"?>");
        case Markup::kDocType:
            return DocTypeEnd(p, at + 2, end);
        default:
            return 0;
    }
}

Node LexNode(const char16_t* p, uint32_t at, uint32_t end) {
    if (p[at] != u'<') return TextNode(p, at, Find(p, at + 1, end, u'<'));
    const Markup markup = ClassifyMarkup(p, at, end);
    TLXMLDocument::NodeKind kind = TLXMLDocument::kNone;
    switch (markup) {
        case Markup::kStartTag: {
            const uint32_t close = StartTagClose(p, SkipTo(p, at + 1, end, kElementNameEnd), end);
            if (close >= end) return TextNode(p, at, end);
            return {at, close + 1 - at, TLXMLDocument::kElementNode};
        }
        case Markup::kEndTag:
            kind = TLXMLDocument::kLoneEndTagNode;
            break;
        case Markup::kComment:
            kind = TLXMLDocument::kCommentNode;
            break;
        case Markup::kCData:
            kind = TLXMLDocument::kCDataNode;
            break;
        case Markup::kDocType:
            kind = TLXMLDocument::kDocTypeNode;
            break;
        case Markup::kProcessingInstruction:
            kind = TLXMLDocument::kProcessingInstructionNode;
            break;
        default:
            return TextNode(p, at, Find(p, at + 1, end, u'<'));
    }
    const uint32_t after = MarkupEnd(markup, p, at, end);
    return {at, (after ? after : end) - at, kind};
}

}  // namespace tlxml_scan
