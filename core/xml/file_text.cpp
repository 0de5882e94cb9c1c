#include "core/xml/file_text.h"

#include <array>
#include <bit>
#include <cstring>

#include "core/xml/utf8_decoding.h"

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

// Bytes are read through this type so that no signed char ever reaches the arithmetic below.
using Bytes = const uint8_t*;

// Decodes ANSI text into `out`, one unit per byte; returns the units written.
size_t DecodeAnsi(std::string_view bytes, char16_t* out) {
    const Bytes s = reinterpret_cast<Bytes>(bytes.data());
    const size_t n = bytes.size();
    for (size_t i = 0; i < n;) {
        i += AsciiRun(s, i, n, out, i);
        for (; i < n && s[i] >= 0x80; ++i) out[i] = s[i] < 0xA0 ? kWindows1252High[s[i] - 0x80] : s[i];
    }
    return n;
}

// UTF-8 without a byte order mark, or ANSI text when the bytes are not valid UTF-8: one pass that
// starts again as ANSI text at the first malformed sequence.
TLString DecodeUtf8OrAnsi(std::string_view bytes, TextEncoding& found) {
    TLString text;
    char16_t* out = text.GetBuffer(bytes.size());
    size_t units = DecodeUtf8(bytes, out, false);
    found = TextEncoding::kUtf8;
    if (units == kMalformedUtf8) {
        units = DecodeAnsi(bytes, out);
        found = TextEncoding::kAnsi;
    }
    text.ReleaseBuffer(units);
    return text;
}

TLString DecodeUtf8Replacing(std::string_view bytes) {
    TLString text;
    text.ReleaseBuffer(DecodeUtf8(bytes, text.GetBuffer(bytes.size()), true));
    return text;
}

TLString DecodeUtf16(std::string_view bytes, bool big_endian) {
    const size_t units = bytes.size() / 2;
    TLString text;
    char16_t* out = text.GetBuffer(units);
    if (big_endian == (std::endian::native == std::endian::big)) {
        std::memcpy(out, bytes.data(), units * sizeof(char16_t));
    } else {
        const Bytes s = reinterpret_cast<Bytes>(bytes.data());
        for (size_t i = 0; i < units; ++i)
            out[i] =
                static_cast<char16_t>(big_endian ? (s[2 * i] << 8) | s[2 * i + 1] : (s[2 * i + 1] << 8) | s[2 * i]);
    }
    text.ReleaseBuffer(units);
    return text;
}

char AnsiByte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (size_t i = 0; i < kWindows1252High.size(); ++i)
        if (kWindows1252High[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}

}  // namespace

TextEncoding DetectTextEncoding(std::string_view bytes) {
    if (bytes.starts_with(kUtf16LEBom)) return TextEncoding::kUtf16LE;
    if (bytes.starts_with(kUtf16BEBom)) return TextEncoding::kUtf16BE;
    if (bytes.starts_with(kUtf8Bom)) return TextEncoding::kUtf8Bom;
    return IsValidUtf8(bytes) ? TextEncoding::kUtf8 : TextEncoding::kAnsi;
}

TLString DecodeFileText(std::string_view bytes, TextEncoding* encoding) {
    TextEncoding found;
    TLString text;
    if (bytes.starts_with(kUtf16LEBom)) {
        found = TextEncoding::kUtf16LE;
        text = DecodeUtf16(bytes.substr(2), false);
    } else if (bytes.starts_with(kUtf16BEBom)) {
        found = TextEncoding::kUtf16BE;
        text = DecodeUtf16(bytes.substr(2), true);
    } else if (bytes.starts_with(kUtf8Bom)) {
        found = TextEncoding::kUtf8Bom;
        text = DecodeUtf8Replacing(bytes.substr(3));
    } else {
        text = DecodeUtf8OrAnsi(bytes, found);
    }
    if (encoding) *encoding = found;
    return text;
}

std::string EncodeFileText(std::u16string_view text, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::kUtf8:
            return TLString::Constant(text.data(), text.size()).ToUtf8();
        case TextEncoding::kUtf8Bom:
            return std::string(kUtf8Bom) + TLString::Constant(text.data(), text.size()).ToUtf8();
        case TextEncoding::kUtf16LE:
        case TextEncoding::kUtf16BE: {
            const bool big_endian = encoding == TextEncoding::kUtf16BE;
            std::string out(2 + 2 * text.size(), '\0');
            std::memcpy(out.data(), (big_endian ? kUtf16BEBom : kUtf16LEBom).data(), 2);
            for (size_t i = 0; i < text.size(); ++i) {
                const char high = static_cast<char>(text[i] >> 8), low = static_cast<char>(text[i] & 0xFF);
                out[2 + 2 * i] = big_endian ? high : low;
                out[3 + 2 * i] = big_endian ? low : high;
            }
            return out;
        }
        case TextEncoding::kAnsi: {
            std::string out(text.size(), '\0');
            for (size_t i = 0; i < text.size(); ++i) out[i] = AnsiByte(text[i]);
            return out;
        }
    }
    return {};
}

}  // namespace tlxml
