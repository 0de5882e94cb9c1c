#include "core/xml/file_text.h"

#include <array>

namespace tlxml {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEBom = "\xFF\xFE";
constexpr std::string_view kUtf16BEBom = "\xFE\xFF";

// Windows-1252 at 0x80-0x9F; the five unassigned bytes keep their own code, as Windows does.
constexpr std::array<char16_t, 32> kWindows1252High = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                       0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

uint8_t Byte(std::string_view bytes, size_t i) { return static_cast<uint8_t>(bytes[i]); }

// Decodes one UTF-8 sequence at bytes[i]; returns its length, or 0 when it is not well formed
// (overlong forms, surrogates and codes above U+10FFFF included).
size_t DecodeUtf8Sequence(std::string_view bytes, size_t i, uint32_t& code) {
    const uint8_t lead = Byte(bytes, i);
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    size_t length;
    uint32_t minimum;
    if ((lead & 0xE0) == 0xC0) {
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
        const uint8_t next = Byte(bytes, i + k);
        if ((next & 0xC0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

bool IsValidUtf8(std::string_view bytes) {
    uint32_t code;
    for (size_t i = 0; i < bytes.size();) {
        if (Byte(bytes, i) < 0x80) {
            ++i;
            continue;
        }
        const size_t length = DecodeUtf8Sequence(bytes, i, code);
        if (!length) return false;
        i += length;
    }
    return true;
}

// Every code takes at most as many UTF-16 units as it took bytes, so the buffer never overflows.
TLString DecodeUtf8(std::string_view bytes) {
    TLString text;
    char16_t* out = text.GetBuffer(bytes.size());
    size_t units = 0;
    uint32_t code;
    for (size_t i = 0; i < bytes.size();) {
        const size_t length = DecodeUtf8Sequence(bytes, i, code);
        if (!length) code = 0xFFFD;
        i += length ? length : 1;
        if (code >= 0x10000) {
            code -= 0x10000;
            out[units++] = static_cast<char16_t>(0xD800 + (code >> 10));
            out[units++] = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            out[units++] = static_cast<char16_t>(code);
        }
    }
    text.ReleaseBuffer(units);
    return text;
}

TLString DecodeUtf16(std::string_view bytes, bool big_endian) {
    const size_t units = bytes.size() / 2;
    TLString text;
    char16_t* out = text.GetBuffer(units);
    for (size_t i = 0; i < units; ++i) {
        const uint8_t first = Byte(bytes, 2 * i), second = Byte(bytes, 2 * i + 1);
        out[i] = static_cast<char16_t>(big_endian ? (first << 8) | second : (second << 8) | first);
    }
    text.ReleaseBuffer(units);
    return text;
}

TLString DecodeAnsi(std::string_view bytes) {
    TLString text;
    char16_t* out = text.GetBuffer(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        const uint8_t b = Byte(bytes, i);
        out[i] = b >= 0x80 && b < 0xA0 ? kWindows1252High[b - 0x80] : static_cast<char16_t>(b);
    }
    text.ReleaseBuffer(bytes.size());
    return text;
}

char AnsiByte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (size_t i = 0; i < kWindows1252High.size(); ++i)
        if (kWindows1252High[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}

void AppendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string EncodeUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        AppendUtf8(out, code);
    }
    return out;
}

}  // namespace

TextEncoding DetectTextEncoding(std::string_view bytes) {
    if (bytes.substr(0, 2) == kUtf16LEBom) return TextEncoding::kUtf16LE;
    if (bytes.substr(0, 2) == kUtf16BEBom) return TextEncoding::kUtf16BE;
    if (bytes.substr(0, 3) == kUtf8Bom) return TextEncoding::kUtf8Bom;
    return IsValidUtf8(bytes) ? TextEncoding::kUtf8 : TextEncoding::kAnsi;
}

TLString DecodeFileText(std::string_view bytes, TextEncoding* encoding) {
    const TextEncoding found = DetectTextEncoding(bytes);
    if (encoding) *encoding = found;
    switch (found) {
        case TextEncoding::kUtf16LE:
            return DecodeUtf16(bytes.substr(2), false);
        case TextEncoding::kUtf16BE:
            return DecodeUtf16(bytes.substr(2), true);
        case TextEncoding::kUtf8Bom:
            return DecodeUtf8(bytes.substr(3));
        case TextEncoding::kUtf8:
            return DecodeUtf8(bytes);
        case TextEncoding::kAnsi:
            return DecodeAnsi(bytes);
    }
    return {};
}

std::string EncodeFileText(std::u16string_view text, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::kUtf8:
            return EncodeUtf8(text);
        case TextEncoding::kUtf8Bom:
            return std::string(kUtf8Bom) + EncodeUtf8(text);
        case TextEncoding::kUtf16LE:
        case TextEncoding::kUtf16BE: {
            const bool big_endian = encoding == TextEncoding::kUtf16BE;
            std::string out(big_endian ? kUtf16BEBom : kUtf16LEBom);
            out.reserve(2 + 2 * text.size());
            for (char16_t c : text) {
                const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
                out += big_endian ? high : low;
                out += big_endian ? low : high;
            }
            return out;
        }
        case TextEncoding::kAnsi: {
            std::string out;
            out.reserve(text.size());
            for (char16_t c : text) out += AnsiByte(c);
            return out;
        }
    }
    return {};
}

}  // namespace tlxml
