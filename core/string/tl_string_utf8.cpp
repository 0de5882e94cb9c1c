#include <ostream>

#include "tl_string.h"

// Conversions between UTF-16 and UTF-8. Invalid input never fails: a malformed UTF-8 sequence and a
// lone surrogate each become U+FFFD.

TLString TLString::FromUtf8(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const auto* end = p + utf8.size();
    while (p < end) {
        uint32_t c = *p++;
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0) {
            out.push_back(u'\uFFFD');
            continue;
        }
        c &= extra == 0 ? 0x7F : (0x3F >> extra);
        int k = 0;
        for (; k < extra && p < end && (*p & 0xC0) == 0x80; ++k) c = (c << 6) | (*p++ & 0x3F);
        static constexpr uint32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
        if (k < extra || c < kMinimum[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            out.push_back(u'\uFFFD');
        } else if (c >= 0x10000) {
            out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return TLString(out.data(), out.size());
}

namespace {

// Writes the UTF-8 form of `code` at `to`; returns the bytes written.
size_t PutUtf8(char* to, uint32_t code) {
    if (code < 0x80) {
        to[0] = static_cast<char>(code);
        return 1;
    }
    if (code < 0x800) {
        to[0] = static_cast<char>(0xC0 | (code >> 6));
        to[1] = static_cast<char>(0x80 | (code & 0x3F));
        return 2;
    }
    if (code < 0x10000) {
        to[0] = static_cast<char>(0xE0 | (code >> 12));
        to[1] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        to[2] = static_cast<char>(0x80 | (code & 0x3F));
        return 3;
    }
    to[0] = static_cast<char>(0xF0 | (code >> 18));
    to[1] = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    to[2] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    to[3] = static_cast<char>(0x80 | (code & 0x3F));
    return 4;
}

}  // namespace

// Written into room for the longest form (three bytes a unit: a pair of surrogates takes four bytes
// for two units) and cut to what was used.
std::string TLString::ToUtf8() const {
    std::string out(3 * length_, '\0');
    size_t o = 0;
    for (size_t i = 0; i < length_; ++i) {
        uint32_t c = text_[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < length_ && text_[i + 1] >= 0xDC00 && text_[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text_[++i] - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        o += PutUtf8(out.data() + o, c);
    }
    out.resize(o);
    return out;
}

std::ostream& operator<<(std::ostream& out, const TLString& text) { return out << text.ToUtf8(); }
