// Escaping of text written into a document and decoding of text read out of it.

#include <algorithm>
#include <array>
#include <string_view>

#include "core/xml/tl_xml_document.h"
#include "core/xml/xml_scan.h"

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

// Decodes the reference at text[at] ("&" there) to out[0] (and out[1] for a surrogate pair); returns
// the characters it spans and sets `written`, or returns 0 when the text there is no reference this
// decoder knows.
size_t DecodeReference(std::u16string_view text, size_t at, char16_t* out, size_t& written) {
    const std::u16string_view rest = text.substr(at + 1);
    if (rest.empty()) return 0;
    if (rest[0] != u'#') {
        // The ";" settles most candidates before any name is compared.
        for (const Entity& entity : kEntities) {
            const size_t length = entity.name.size();
            if (rest.size() > length && rest[length] == u';' && rest.starts_with(entity.name)) {
                out[0] = entity.character;
                written = 1;
                return length + 2;
            }
        }
        return 0;
    }
    const int base = rest.size() > 1 && rest[1] == u'x' ? 16 : 10;
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
        out[0] = static_cast<char16_t>(0xD800 + (code >> 10));
        out[1] = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        written = 2;
    } else {
        out[0] = static_cast<char16_t>(code);
        written = 1;
    }
    return 1 + digits_start + semicolon + 1;
}

TLString Escape(std::u16string_view text, bool attribute) {
    TLString out;
    size_t plain = 0;  // start of the run of characters that need no escaping
    auto flush = [&](size_t to) {
        if (plain == 0) out.Reserve(text.size() + text.size() / 4 + 8);
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

TLString TLXMLDocument::EscapeData(std::u16string_view text) { return Escape(text, false); }

TLString TLXMLDocument::EscapeAttribute(std::u16string_view text) { return Escape(text, true); }

// A reference never decodes to more characters than it spans, so `out` needs room for text.size().
size_t TLXMLDocument::DecodeInto(std::u16string_view text, char16_t* out) {
    size_t written = 0, plain = 0;
    for (size_t amp = text.find(u'&'); amp != std::u16string_view::npos; amp = text.find(u'&', plain)) {
        std::copy(text.begin() + plain, text.begin() + amp, out + written);
        written += amp - plain;
        size_t units = 0;
        const size_t used = DecodeReference(text, amp, out + written, units);
        if (used) {
            written += units;
            plain = amp + used;
        } else {
            out[written++] = u'&';
            plain = amp + 1;
        }
    }
    std::copy(text.begin() + plain, text.end(), out + written);
    return written + text.size() - plain;
}

TLString TLXMLDocument::Decode(std::u16string_view text) {
    const uint32_t size = static_cast<uint32_t>(text.size());
    if (tlxml_scan::Find(text.data(), 0, size, u'&') == size) return TLString(text);
    TLString out;
    out.ReleaseBuffer(DecodeInto(text, out.GetBuffer(text.size())));
    return out;
}
