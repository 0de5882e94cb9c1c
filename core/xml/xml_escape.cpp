// Escaping of text written into a document and decoding of text read out of it.

#include <array>
#include <string_view>

#include "core/xml/tl_xml_document.h"

namespace {

struct Entity {
    std::u16string_view name;  // between "&" and ";"
    char16_t character;
};

constexpr std::array<Entity, 5> kEntities = {{
    {u"lt", u'<'},
    {u"amp", u'&'},
    {u"gt", u'>'},
    {u"apos", u'\''},
    {u"quot", u'"'},
}};

// A numeric reference holds at most six digits: its ";" lies within the seven characters after "&#"
// or "&#x".
constexpr size_t kReferenceReach = 7;

int DigitValue(char16_t c, int base) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (base == 16 && c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (base == 16 && c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// Decodes the reference at text[at] ("&" there) into `out`; returns the characters it spans, or 0
// when the text there is no reference this decoder knows.
size_t DecodeReference(std::u16string_view text, size_t at, TLString& out) {
    const std::u16string_view rest = text.substr(at + 1);
    if (rest.substr(0, 1) != u"#") {
        for (const Entity& entity : kEntities) {
            if (rest.size() > entity.name.size() && rest.substr(0, entity.name.size()) == entity.name &&
                rest[entity.name.size()] == u';') {
                out += entity.character;
                return entity.name.size() + 2;
            }
        }
        return 0;
    }
    const int base = rest.substr(1, 1) == u"x" ? 16 : 10;
    const size_t digits_start = base == 16 ? 2 : 1;
    const std::u16string_view digits = rest.substr(digits_start, kReferenceReach);
    const size_t semicolon = digits.find(u';');
    if (semicolon == std::u16string_view::npos || semicolon == 0) return 0;
    uint32_t code = 0;
    for (size_t i = 0; i < semicolon; ++i) {
        const int digit = DigitValue(digits[i], base);
        if (digit < 0) return 0;
        code = code * base + digit;
    }
    if (code == 0 || code > 0x10FFFF) return 0;
    if (code >= 0x10000) {
        // Beyond one UTF-16 unit: a surrogate pair, never a character cut to 16 bits.
        code -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (code >> 10));
        out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
        out += static_cast<char16_t>(code);
    }
    return 1 + digits_start + semicolon + 1;
}

TLString Escape(std::u16string_view text, bool attribute) {
    TLString out;
    size_t plain = 0;  // start of the run of characters that need no escaping
    auto flush = [&](size_t to) {
        out += text.substr(plain, to - plain);
        plain = to + 1;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const char16_t* replacement = nullptr;
        switch (c) {
            case u'&':
                replacement = u"&amp;";
                break;
            case u'<':
                replacement = u"&lt;";
                break;
            case u'>':
                replacement = u"&gt;";
                break;
            case u'"':
                replacement = attribute ? u"&quot;" : nullptr;
                break;
            case u'\'':
                replacement = attribute ? u"&apos;" : nullptr;
                break;
            case u'\t':
            case u'\n':
            case u'\r':
                break;
            case 1:
                replacement = u"&#x1;";
                break;
            default:
                replacement = c < 32 ? u"?" : nullptr;
                break;
        }
        if (!replacement) continue;
        flush(i);
        out += replacement;
    }
    if (plain == 0) return TLString(text);
    out += text.substr(plain);
    return out;
}

}  // namespace

TLString TLXMLDocument::EscapeData(std::u16string_view text) {
    return Escape(text, false);
}

TLString TLXMLDocument::EscapeAttribute(std::u16string_view text) {
    return Escape(text, true);
}

TLString TLXMLDocument::Decode(std::u16string_view text) {
    size_t amp = text.find(u'&');
    if (amp == std::u16string_view::npos) return TLString(text);
    TLString out;
    size_t plain = 0;
    while (amp != std::u16string_view::npos) {
        out += text.substr(plain, amp - plain);
        const size_t used = DecodeReference(text, amp, out);
        if (used) {
            plain = amp + used;
        } else {
            out += u'&';
            plain = amp + 1;
        }
        amp = text.find(u'&', plain);
    }
    out += text.substr(plain);
    return out;
}
