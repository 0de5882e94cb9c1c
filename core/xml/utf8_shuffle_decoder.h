#pragma once
// UTF-8 to UTF-16 with byte shuffles (SSSE3), for text in scripts other than Latin: up to twelve bytes
// a step, whatever mix of one-, two- and three-byte letters they hold (fifteen for a run of five
// three-byte letters), and runs of ASCII as they stand. Used when the processor has the instructions;
// the file text reader falls back to its plain decoding otherwise and for everything this one leaves:
// four-byte letters, malformed bytes and the last 128 bytes.

#include <cstddef>
#include <cstdint>

namespace tlxml {

// Whether this processor can run DecodeUtf8WithShuffles.
bool CanDecodeUtf8WithShuffles();

// Decodes well-formed UTF-8 from s[i] on into `out` from out[o] on, advancing both, and stops where
// fewer than 128 bytes remain or at the first sequence it does not take (which it leaves unread). `out`
// has room for one unit per byte of `s`, and o <= i.
void DecodeUtf8WithShuffles(const uint8_t* s, size_t n, char16_t* out, size_t& i, size_t& o);

}  // namespace tlxml
