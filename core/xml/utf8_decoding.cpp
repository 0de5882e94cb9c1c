#include "core/xml/utf8_decoding.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/xml/utf8_shuffle_decoder.h"

namespace tlxml {
namespace {

// Bytes are read through this type so that no signed char ever reaches the arithmetic below.
using Bytes = const uint8_t*;

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

}  // namespace

Utf8Decoder FastestUtf8Decoder() { return CanDecodeUtf8WithShuffles() ? Utf8Decoder::kShuffles : Utf8Decoder::kPlain; }

// A block may write up to 16 units more than it consumes; they stay inside an output of one unit per
// byte, as `o` never runs ahead of `i`.
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

size_t DecodeUtf8(std::string_view bytes, char16_t* out, bool replace, Utf8Decoder decoder) {
    const Bytes s = reinterpret_cast<Bytes>(bytes.data());
    const size_t n = bytes.size();
    size_t i = 0, o = 0;
    uint32_t code;
    while (i < n) {
        // The shuffles take most of the text; what they leave (the last bytes, four-byte letters,
        // malformed bytes) goes the plain way below, and then back to them.
        if (decoder == Utf8Decoder::kShuffles) DecodeUtf8WithShuffles(s, n, out, i, o);
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
                if (!replace) return kMalformedUtf8;
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

}  // namespace tlxml
