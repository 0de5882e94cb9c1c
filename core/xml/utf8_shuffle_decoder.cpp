#include "core/xml/utf8_shuffle_decoder.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define TL_UTF8_SHUFFLES 1
#include <tmmintrin.h>
#endif

namespace tlxml {

#if TL_UTF8_SHUFFLES
namespace {

// A window's first twelve bytes are read as letters: six letters of one or two bytes each when they
// are that short, each into a 16-bit lane; otherwise four of up to three bytes, each into a 32-bit
// lane. Which of the two and how long each letter is makes a pattern. One table maps where the
// letters end (one bit per byte) to the pattern and the bytes it takes, another the pattern to the
// shuffle that moves each letter's bytes into its lane: the last byte lowest, the lead byte highest,
// unused bytes zero.
constexpr int kShortLetters = 6, kLongLetters = 4;
constexpr int kShortPatterns = 1 << kShortLetters;  // a length of 1 or 2 for each letter
constexpr int kLongPatterns = 3 * 3 * 3 * 3;        // a length of 1, 2 or 3 for each letter
constexpr int kEndBits = 12;
constexpr uint8_t kNoPattern = 0xFF;
constexpr uint8_t kZero = 0x80;  // a shuffle index that gives a zero byte
// Where five letters of three bytes each end.
constexpr uint64_t kFiveLongLetters = 1 << 2 | 1 << 5 | 1 << 8 | 1 << 11 | 1 << 14;

struct Tables {
    uint8_t pattern_of_ends[1 << kEndBits];
    // The bytes the pattern's letters take: a table of its own, so that where the next step begins
    // waits for this one read alone.
    uint8_t consumed_of_ends[1 << kEndBits];
    alignas(16) uint8_t shuffles[kShortPatterns + kLongPatterns][16];

    constexpr Tables() : pattern_of_ends{}, consumed_of_ends{}, shuffles{} {
        int consumed[kShortPatterns + kLongPatterns] = {};
        for (int p = 0; p < kShortPatterns + kLongPatterns; ++p) {
            for (uint8_t& b : shuffles[p]) b = kZero;
            const bool short_letters = p < kShortPatterns;
            const int letters = short_letters ? kShortLetters : kLongLetters, lane = short_letters ? 2 : 4;
            int at = 0;
            for (int k = 0, rest = short_letters ? p : p - kShortPatterns; k < letters; ++k) {
                const int length = short_letters ? 1 + (rest & 1) : 1 + rest % 3;
                rest = short_letters ? rest >> 1 : rest / 3;
                for (int b = 0; b < length; ++b) shuffles[p][lane * k + b] = static_cast<uint8_t>(at + length - 1 - b);
                at += length;
            }
            consumed[p] = at;
        }
        for (int ends = 0; ends < (1 << kEndBits); ++ends) {
            int lengths[kEndBits] = {}, letters = 0, start = 0;
            for (int b = 0; b < kEndBits; ++b) {
                if (ends >> b & 1) {
                    lengths[letters++] = b + 1 - start;
                    start = b + 1;
                }
            }
            auto fit = [&](int count, int longest) {
                if (letters < count) return false;
                for (int k = 0; k < count; ++k)
                    if (lengths[k] > longest) return false;
                return true;
            };
            int pattern = kNoPattern;
            if (fit(kShortLetters, 2)) {
                pattern = 0;
                for (int k = 0; k < kShortLetters; ++k) pattern |= (lengths[k] - 1) << k;
            } else if (fit(kLongLetters, 3)) {
                pattern = 0;
                for (int k = kLongLetters - 1; k >= 0; --k) pattern = pattern * 3 + lengths[k] - 1;
                pattern += kShortPatterns;
            }
            pattern_of_ends[ends] = static_cast<uint8_t>(pattern);
            consumed_of_ends[ends] = static_cast<uint8_t>(pattern == kNoPattern ? 0 : consumed[pattern]);
        }
    }
};

constexpr Tables kTables;

// One bit per byte of the 64 in `block`: its high bit.
[[gnu::target("ssse3")]] inline uint64_t HighBits(const __m128i (&block)[4]) {
    uint64_t mask = 0;
    for (int k = 0; k < 4; ++k)
        mask |= static_cast<uint64_t>(static_cast<uint16_t>(_mm_movemask_epi8(block[k]))) << 16 * k;
    return mask;
}

}  // namespace

bool CanDecodeUtf8WithShuffles() {
    static const bool can = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("ssse3") != 0;
    }();
    return can;
}

[[gnu::target("ssse3")]] void DecodeUtf8WithShuffles(const uint8_t* s, size_t n, char16_t* out, size_t& read,
                                                     size_t& written) {
    // Kept in registers: the stores below may alias anything, the references too.
    size_t i = read, o = written;
    const __m128i zero = _mm_setzero_si128();
    const __m128i low7 = _mm_set1_epi16(0x7F);
    // The low two bytes of each 32-bit lane, for four units.
    const __m128i pack_units = _mm_setr_epi8(0, 1, 4, 5, 8, 9, 12, 13, -1, -1, -1, -1, -1, -1, -1, -1);
    auto widen = [&](__m128i bytes, char16_t* to) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_unpacklo_epi8(bytes, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 8), _mm_unpackhi_epi8(bytes, zero));
    };
    // Where the letters start and where the ASCII is are found for 64 bytes at once, so that each step
    // within them waits only for a shift and a table read, never for the bytes it begins at. A step
    // may read up to 64 bytes past the block, and write as many units.
    while (n - i >= 64 + 64) {
        __m128i block[4];
        for (int k = 0; k < 4; ++k) block[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i) + k);
        const uint64_t high = HighBits(block);
        if (!high) {
            for (int k = 0; k < 4; ++k) widen(block[k], out + o + 16 * k);
            i += 64;
            o += 64;
            continue;
        }
        // Signed, bytes above 0xBF compare greater: every byte that begins a letter, ASCII included.
        __m128i begins[4];
        for (int k = 0; k < 4; ++k) begins[k] = _mm_cmpgt_epi8(block[k], _mm_set1_epi8(static_cast<char>(0xBF)));
        const uint64_t starts = HighBits(begins);
        // A letter ends where the next one starts; the twelfth byte's end is told by the thirteenth.
        const uint64_t ends = starts >> 1;
        size_t at = 0;
        while (at + kEndBits < 64) {
            const uint64_t high_here = high >> at;
            // A run of ASCII longer than the letters one shuffle takes is widened as it stands, up to
            // the block's end in one go: cheaper than a loop that stops at the run's length.
            if (!(high_here & ((1u << kShortLetters) - 1))) {
                const size_t ascii = high_here ? static_cast<size_t>(__builtin_ctzll(high_here)) : 64 - at;
                for (size_t k = 0; k < 64; k += 16)
                    widen(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + at + k)), out + o + k);
                at += ascii;
                o += ascii;
                continue;
            }
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + at));
            if (!(starts >> at & 1)) break;  // a continuation byte with no lead
            // Five letters of three bytes each (Chinese, Japanese, Korean) in the next fifteen bytes:
            // a step of their own that reads more than the table's twelve, and whose length is known
            // before any table is read.
            if (at + 16 <= 64 && (ends >> at & 0x7FFF) == kFiveLongLetters) {
                // Lead << 8 | middle and middle << 8 | last in the 16-bit lane of each letter.
                const __m128i lead_middle =
                    _mm_shuffle_epi8(bytes, _mm_setr_epi8(1, 0, 4, 3, 7, 6, 10, 9, 13, 12, -1, -1, -1, -1, -1, -1));
                const __m128i middle_last =
                    _mm_shuffle_epi8(bytes, _mm_setr_epi8(2, 1, 5, 4, 8, 7, 11, 10, 14, 13, -1, -1, -1, -1, -1, -1));
                const __m128i code =
                    _mm_or_si128(_mm_slli_epi16(_mm_and_si128(lead_middle, _mm_set1_epi16(0x0F00)), 4),
                                 _mm_or_si128(_mm_and_si128(_mm_srli_epi16(middle_last, 2), _mm_set1_epi16(0x0FC0)),
                                              _mm_and_si128(middle_last, _mm_set1_epi16(0x003F))));
                // Well formed: a lead of E0-EF, no overlong form, no surrogate.
                const __m128i lead =
                    _mm_cmpeq_epi16(_mm_and_si128(lead_middle, _mm_set1_epi16(static_cast<short>(0xF000))),
                                    _mm_set1_epi16(static_cast<short>(0xE000)));
                const __m128i not_overlong = _mm_cmpeq_epi16(_mm_subs_epu16(_mm_set1_epi16(0x0800), code), zero);
                const __m128i surrogate =
                    _mm_cmpeq_epi16(_mm_and_si128(code, _mm_set1_epi16(static_cast<short>(0xF800))),
                                    _mm_set1_epi16(static_cast<short>(0xD800)));
                const unsigned valid = static_cast<unsigned>(
                    _mm_movemask_epi8(_mm_andnot_si128(surrogate, _mm_and_si128(lead, not_overlong))));
                if ((valid & 0x3FF) != 0x3FF) break;
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out + o), code);
                at += 15;
                o += 5;
                continue;
            }
            const unsigned ends_here = ends >> at & ((1u << kEndBits) - 1);
            const unsigned pattern = kTables.pattern_of_ends[ends_here];
            if (pattern == kNoPattern) break;
            const __m128i lanes =
                _mm_shuffle_epi8(bytes, _mm_load_si128(reinterpret_cast<const __m128i*>(kTables.shuffles[pattern])));
            __m128i units;
            unsigned valid;
            if (pattern < kShortPatterns) {
                // Lead << 8 | continuation, or the byte alone: its low seven bits, and the lead's low
                // five above them (a continuation byte's bit 6 is zero).
                units = _mm_or_si128(_mm_and_si128(lanes, low7),
                                     _mm_and_si128(_mm_srli_epi16(lanes, 2), _mm_set1_epi16(0x07C0)));
                // Well formed: a byte below 0x80, or a lead of C2-DF (continuations are so by construction).
                const __m128i one = _mm_cmpeq_epi16(_mm_subs_epu16(lanes, low7), zero);
                const __m128i two =
                    _mm_cmpeq_epi16(_mm_subs_epu16(_mm_sub_epi16(lanes, _mm_set1_epi16(static_cast<short>(0xC200))),
                                                   _mm_set1_epi16(0x1DFF)),
                                    zero);
                valid = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(one, two)));
            } else {
                const __m128i code =
                    _mm_or_si128(_mm_or_si128(_mm_and_si128(lanes, _mm_set1_epi32(0x7F)),
                                              _mm_and_si128(_mm_srli_epi32(lanes, 2), _mm_set1_epi32(0x0FC0))),
                                 _mm_and_si128(_mm_srli_epi32(lanes, 4), _mm_set1_epi32(0xF000)));
                // Well formed: a byte below 0x80; a lead of C2-DF; or a lead of E0-EF that is not
                // overlong (E0 needs A0 or more after it) and no surrogate.
                const __m128i one = _mm_cmpgt_epi32(_mm_set1_epi32(0x80), lanes);
                const __m128i two = _mm_and_si128(_mm_cmpgt_epi32(lanes, _mm_set1_epi32(0xC1FF)),
                                                  _mm_cmpgt_epi32(_mm_set1_epi32(0xE000), lanes));
                const __m128i three = _mm_and_si128(_mm_cmpgt_epi32(lanes, _mm_set1_epi32(0xE09FFF)),
                                                    _mm_cmpgt_epi32(_mm_set1_epi32(0xF00000), lanes));
                const __m128i surrogate =
                    _mm_cmpeq_epi32(_mm_and_si128(code, _mm_set1_epi32(0xF800)), _mm_set1_epi32(0xD800));
                valid = static_cast<unsigned>(
                    _mm_movemask_epi8(_mm_andnot_si128(surrogate, _mm_or_si128(_mm_or_si128(one, two), three))));
                units = _mm_shuffle_epi8(code, pack_units);
            }
            if (valid != 0xFFFF) break;
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + o), units);
            at += kTables.consumed_of_ends[ends_here];
            o += pattern < kShortPatterns ? kShortLetters : kLongLetters;
        }
        i += at;
        if (at + kEndBits < 64) break;  // stopped at a sequence left to the caller
    }
    read = i;
    written = o;
}

#else

bool CanDecodeUtf8WithShuffles() { return false; }

void DecodeUtf8WithShuffles(const uint8_t*, size_t, char16_t*, size_t&, size_t&) {}

#endif

}  // namespace tlxml
