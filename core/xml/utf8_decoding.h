#pragma once
// The UTF-8 half of reading file text: validating and decoding to UTF-16 in one pass, the common
// runs (ASCII, letters of two or three bytes) taken many bytes at a time.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tlxml {

// DecodeUtf8's answer for bytes that are not well-formed UTF-8.
inline constexpr size_t kMalformedUtf8 = static_cast<size_t>(-1);

enum class Utf8Decoder {
    kPlain,     // SSE2 at most, which every x86-64 processor has
    kShuffles,  // byte shuffles (SSSE3) for text in other scripts
};

// The fastest decoder this processor runs.
Utf8Decoder FastestUtf8Decoder();

// Whether `bytes` are well-formed UTF-8 (no overlong forms, surrogates or codes above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Decodes UTF-8 into `out`, which has room for one unit per byte: no code takes more UTF-16 units
// than it took bytes. Returns the units written; a malformed sequence gives kMalformedUtf8, or with
// `replace` U+FFFD for its first byte, decoding going on with the next.
size_t DecodeUtf8(std::string_view bytes, char16_t* out, bool replace, Utf8Decoder decoder = FastestUtf8Decoder());

// The number of bytes from s[i] on, up to s[n], before the first one at or above 0x80. Also writes
// them widened to `out` from out[o] on when `out` is given; `out` must then have room for one unit
// per byte of `s`, with o <= i.
size_t AsciiRun(const uint8_t* s, size_t i, size_t n, char16_t* out, size_t o);

}  // namespace tlxml
