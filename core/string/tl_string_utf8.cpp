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

std::string TLString::ToUtf8() const {
    std::string out;
    out.reserve(length_);
    for (size_t i = 0; i < length_; ++i) {
        uint32_t c = text_[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < length_ && text_[i + 1] >= 0xDC00 && text_[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text_[++i] - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::ostream& operator<<(std::ostream& out, const TLString& text) { return out << text.ToUtf8(); }
