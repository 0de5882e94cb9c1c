#include "core/xml/file_text.h"

#include <array>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// The number of bytes from `i` on, up to `n`, before the first one at or above 0x80. Also writes them
// widened to `out` from `o` on when `out` is given. A block may write up to 16 units more than it
// consumes; they stay inside an output of one unit per byte, as `o` never runs ahead of `i`.
size_t AsciiRun(Bytes s, size_t i, size_t n, char16_t* out, size_t o) {
    const size_t from = i;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    while (i + 16 <= n) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        if (out) {
            char16_t* to = out + o + (i - from);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_unpacklo_epi8(block, zero));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 8), _mm_unpackhi_epi8(block, zero));
        }
        const unsigned high = static_cast<unsigned>(_mm_movemask_epi8(block));
        if (high) return i - from + static_cast<size_t>(__builtin_ctz(high));
        i += 16;
    }
#else
    while (i + 8 <= n) {
        uint64_t word;
        std::memcpy(&word, s + i, 8);
        if (word & 0x8080808080808080u) break;
        if (out)
            for (size_t k = 0; k < 8; ++k) out[o + (i - from) + k] = s[i + k];
        i += 8;
    }
#endif
    for (; i < n && s[i] < 0x80; ++i)
        if (out) out[o + (i - from)] = s[i];
    return i - from;
}

// Decodes the UTF-8 sequence whose first byte s[i] is at or above 0x80; returns its length, or 0
// when it is not well formed (overlong forms, surrogates and codes above U+10FFFF included).
inline size_t MultiByteSequence(Bytes s, size_t i, size_t n, uint32_t& code) {
    const uint8_t lead = s[i];
    if (lead < 0xE0) {
        // C0 and C1 only ever begin overlong forms; 80-BF begin nothing.
        if (lead < 0xC2 || n - i < 2 || (s[i + 1] & 0xC0) != 0x80) return 0;
        code = (lead & 0x1Fu) << 6 | (s[i + 1] & 0x3Fu);
        return 2;
    }
    if (lead < 0xF0) {
        if (n - i < 3 || (s[i + 1] & 0xC0) != 0x80 || (s[i + 2] & 0xC0) != 0x80) return 0;
        code = (lead & 0x0Fu) << 12 | (s[i + 1] & 0x3Fu) << 6 | (s[i + 2] & 0x3Fu);
        return code >= 0x800 && (code < 0xD800 || code > 0xDFFF) ? 3 : 0;
    }
    if (lead > 0xF7 || n - i < 4 || (s[i + 1] & 0xC0) != 0x80 || (s[i + 2] & 0xC0) != 0x80 || (s[i + 3] & 0xC0) != 0x80)
        return 0;
    code = (lead & 0x07u) << 18 | (s[i + 1] & 0x3Fu) << 12 | (s[i + 2] & 0x3Fu) << 6 | (s[i + 3] & 0x3Fu);
    return code >= 0x10000 && code <= 0x10FFFF ? 4 : 0;
}

bool IsValidUtf8(std::string_view bytes) {
    const Bytes s = reinterpret_cast<Bytes>(bytes.data());
    const size_t n = bytes.size();
    uint32_t code;
    for (size_t i = AsciiRun(s, 0, n, nullptr, 0); i < n; i += AsciiRun(s, i, n, nullptr, 0)) {
        do {
            const size_t length = MultiByteSequence(s, i, n, code);
            if (!length) return false;
            i += length;
        } while (i < n && s[i] >= 0x80);
    }
    return true;
}

constexpr size_t kMalformed = static_cast<size_t>(-1);

// The two helpers below read eight bytes as one little-endian word and write their units to `to`
// whether or not they are taken: the caller advances by the count returned. Every unit written lies
// within the eight bytes' share of an output of one unit per byte.

// How many of the four 16-bit lanes of `q`, from the first, hold a well-formed two-byte sequence
// (Cyrillic, Greek, Hebrew, Arabic...): lead byte 0xC2-0xDF, then a continuation byte.
inline size_t TwoByteLetters(uint64_t q, char16_t* to) {
    constexpr uint64_t kHigh = 0x8000800080008000u, kLow = 0x7FFF7FFF7FFF7FFFu;
    const uint64_t pattern = (q & 0xC0E0C0E0C0E0C0E0u) ^ 0x80C080C080C080C0u;  // a lane of zero fits
    const uint64_t fits = ~(((pattern & kLow) + kLow) | pattern) & kHigh;
    const uint64_t not_overlong = ((q & 0x001E001E001E001Eu) + kLow) & kHigh;
    const uint64_t misfits = ~(fits & not_overlong) & kHigh;
    const uint64_t units = (q & 0x001F001F001F001Fu) << 6 | (q >> 8 & 0x003F003F003F003Fu);
    std::memcpy(to, &units, 8);
    return misfits ? static_cast<size_t>(std::countr_zero(misfits)) >> 4 : 4;
}

// The code of the three-byte sequence in the low bytes of `w`, if it is one and well formed (no
// overlong form, no surrogate); 0 otherwise.
inline char16_t ThreeByteCode(uint32_t w) {
    const uint32_t code = (w & 0x0F) << 12 | (w >> 8 & 0x3F) << 6 | (w >> 16 & 0x3F);
    return (w & 0xC0C0F0) == 0x8080E0 && code >= 0x800 && (code < 0xD800 || code > 0xDFFF) ? code : 0;
}

// How many well-formed three-byte sequences (Chinese, Japanese, Korean, the scripts of India...)
// begin `q`, two at most.
inline size_t ThreeByteLetters(uint64_t q, char16_t* to) {
    to[0] = ThreeByteCode(static_cast<uint32_t>(q));
    if (!to[0]) return 0;
    to[1] = ThreeByteCode(static_cast<uint32_t>(q >> 24));
    return to[1] ? 2 : 1;
}

// Decodes UTF-8 into `out`, which has room for one unit per byte: no code takes more UTF-16 units
// than it took bytes. Returns the units written; a malformed sequence gives kMalformed, or with
// `replace` U+FFFD for its first byte, decoding going on with the next.
size_t DecodeUtf8(std::string_view bytes, char16_t* out, bool replace) {
    const Bytes s = reinterpret_cast<Bytes>(bytes.data());
    const size_t n = bytes.size();
    size_t i = 0, o = 0;
    uint32_t code;
    while (i < n) {
        const size_t ascii = AsciiRun(s, i, n, out, o);
        i += ascii;
        o += ascii;
        // Text in most other scripts: letters of two or three bytes with single spaces and marks
        // between them, read eight bytes at a time until four ASCII bytes come in a row. Only
        // well-formed sequences are taken here; anything else is left to MultiByteSequence.
        if constexpr (std::endian::native == std::endian::little) {
            while (n - i >= 8) {
                uint64_t q;
                std::memcpy(&q, s + i, 8);
                if (!(q & 0x80)) {
                    if (!(q & 0x80808080u)) break;
                    out[o++] = static_cast<char16_t>(q & 0x7F);
                    i += 1;
                    continue;
                }
                // Whole reads are the common case and a branch of their own, so that the next read
                // need not wait for the count.
                size_t letters = TwoByteLetters(q, out + o);
                if (letters == 4) {
                    i += 8;
                    o += 4;
                    continue;
                }
                if (letters) {
                    i += 2 * letters;
                    o += letters;
                    continue;
                }
                letters = ThreeByteLetters(q, out + o);
                if (letters == 2) {
                    i += 6;
                    o += 2;
                    continue;
                }
                if (!letters) break;
                i += 3;
                o += 1;
            }
        }
        // The last bytes, and the text on other processors, one letter at a time.
        while (n - i >= 4) {
            uint32_t w;
            if constexpr (std::endian::native == std::endian::little)
                std::memcpy(&w, s + i, 4);
            else
                w = s[i] | s[i + 1] << 8 | s[i + 2] << 16 | static_cast<uint32_t>(s[i + 3]) << 24;
            if (!(w & 0x80)) {
                if (!(w & 0x80808080)) break;
                out[o++] = static_cast<char16_t>(w & 0x7F);
                i += 1;
                continue;
            }
            if ((w & 0xC0E0) == 0x80C0 && (w & 0x1E)) {
                out[o++] = static_cast<char16_t>((w & 0x1F) << 6 | (w >> 8 & 0x3F));
                i += 2;
                continue;
            }
            if (const char16_t three = ThreeByteCode(w)) {
                out[o++] = three;
                i += 3;
                continue;
            }
            break;
        }
        while (i < n && s[i] >= 0x80) {
            const size_t length = MultiByteSequence(s, i, n, code);
            if (!length) {
                if (!replace) return kMalformed;
                code = 0xFFFD;
            }
            i += length ? length : 1;
            if (code >= 0x10000) {
                code -= 0x10000;
                out[o++] = static_cast<char16_t>(0xD800 + (code >> 10));
                out[o++] = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
            } else {
                out[o++] = static_cast<char16_t>(code);
            }
        }
    }
    return o;
}

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
    if (units == kMalformed) {
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
