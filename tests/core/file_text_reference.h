#pragma once
// A plain reference for reading a file's bytes as text, one byte or sequence at a time with no
// shortcut, for the decoder's tests and the fuzz target to compare the fast decoder against.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

#include "core/string/tl_string.h"
#include "core/xml/file_text.h"

namespace tlxml_reference {

// Length and code of the UTF-8 sequence at bytes[i], length 0 when it is not well formed.
inline size_t Utf8Sequence(std::string_view bytes, size_t i, uint32_t& code) {
    const uint8_t lead = static_cast<uint8_t>(bytes[i]);
    size_t length;
    uint32_t minimum;
    if (lead < 0x80) {
        code = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, code = lead & 0x07;
    } else {
        return 0;
    }
    if (bytes.size() - i < length) return 0;
    for (size_t k = 1; k < length; ++k) {
        const uint8_t next = static_cast<uint8_t>(bytes[i + k]);
        if ((next & 0xC0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

// UTF-8 decoded with U+FFFD for the first byte of every malformed sequence; `valid` tells whether
// there was none.
inline TLString DecodeUtf8(std::string_view bytes, bool& valid) {
    std::u16string text;
    text.reserve(bytes.size());
    valid = true;
    for (size_t i = 0; i < bytes.size();) {
        uint32_t code;
        const size_t length = Utf8Sequence(bytes, i, code);
        if (!length) valid = false, code = 0xFFFD;
        i += length ? length : 1;
        if (code >= 0x10000) {
            text += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            text += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            text += static_cast<char16_t>(code);
        }
    }
    return TLString(text);
}

inline TLString DecodeAnsi(std::string_view bytes) {
    static constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                           0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::u16string text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        const uint8_t b = static_cast<uint8_t>(c);
        text += b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : static_cast<char16_t>(b);
    }
    return TLString(text);
}

inline TLString DecodeUtf16(std::string_view bytes, bool big_endian) {
    std::u16string text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const uint8_t first = static_cast<uint8_t>(bytes[i]), second = static_cast<uint8_t>(bytes[i + 1]);
        text += static_cast<char16_t>(big_endian ? (first << 8) | second : (second << 8) | first);
    }
    return TLString(text);
}

// The text and encoding a file's bytes read as.
inline std::pair<TLString, tlxml::TextEncoding> DecodeFileText(std::string_view bytes) {
    using tlxml::TextEncoding;
    if (bytes.starts_with("\xFF\xFE")) return {DecodeUtf16(bytes.substr(2), false), TextEncoding::kUtf16LE};
    if (bytes.starts_with("\xFE\xFF")) return {DecodeUtf16(bytes.substr(2), true), TextEncoding::kUtf16BE};
    bool valid;
    if (bytes.starts_with("\xEF\xBB\xBF")) return {DecodeUtf8(bytes.substr(3), valid), TextEncoding::kUtf8Bom};
    TLString text = DecodeUtf8(bytes, valid);
    if (valid) return {std::move(text), TextEncoding::kUtf8};
    return {DecodeAnsi(bytes), TextEncoding::kAnsi};
}

}  // namespace tlxml_reference
