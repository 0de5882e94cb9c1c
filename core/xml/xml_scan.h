#pragma once
// The scanner's character sets and searches, shared by the parser, the node walk and the path search.
//
// Character classes are a table indexed only below 128: every character at or above 128 belongs to no
// set, so UTF-16 units (surrogates included) can never index past the table. The searches for one or
// a few characters look at eight UTF-16 units at a time with SSE2 where the compiler offers it; none
// of them reads past the end it is given.

#include <cstddef>
#include <cstdint>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/string/tl_string_library.h"
#include "core/xml/tl_xml_document.h"

namespace tlxml_scan {

enum CharSet : uint8_t {
    kWhitespace = 1,        // " \t\n\r"
    kTagNameEnd = 2,        // " \t\n\r<>=\\/?!"
    kAttributeNameEnd = 4,  // "= \t\n\r>/?"
    kUnquotedValueEnd = 8,  // " \t\n\r>"
    kElementNameEnd = 16,   // " \t\n\r/>"
    kStepNameEnd = 32,      // " =/[]"
};

struct CharTable {
    uint8_t sets[128];
    constexpr CharTable() : sets{} {
        Add(u" \t\n\r", kWhitespace);
        Add(u" \t\n\r<>=\\/?!", kTagNameEnd);
        Add(u"= \t\n\r>/?", kAttributeNameEnd);
        Add(u" \t\n\r>", kUnquotedValueEnd);
        Add(u" \t\n\r/>", kElementNameEnd);
        Add(u" =/[]", kStepNameEnd);
    }
    constexpr void Add(std::u16string_view chars, uint8_t set) {
        for (char16_t c : chars) sets[c] |= set;
    }
};

inline constexpr CharTable kChars;

inline bool InSet(char16_t c, uint8_t set) { return c < 128 && (kChars.sets[c] & set) != 0; }

#if defined(__SSE2__)
// One bit per character of the 32 at p: set where the character equals c.
inline uint32_t Mask32(const char16_t* p, __m128i c) {
    const __m128i* v = reinterpret_cast<const __m128i*>(p);
    const __m128i low =
        _mm_packs_epi16(_mm_cmpeq_epi16(_mm_loadu_si128(v), c), _mm_cmpeq_epi16(_mm_loadu_si128(v + 1), c));
    const __m128i high =
        _mm_packs_epi16(_mm_cmpeq_epi16(_mm_loadu_si128(v + 2), c), _mm_cmpeq_epi16(_mm_loadu_si128(v + 3), c));
    return static_cast<uint32_t>(_mm_movemask_epi8(low)) | (static_cast<uint32_t>(_mm_movemask_epi8(high)) << 16);
}

// Bit i is the parity of the set bits 0 to i: inside a quoted value when the bits mark quotes.
inline uint32_t PrefixParity(uint32_t x) {
    x ^= x << 1;
    x ^= x << 2;
    x ^= x << 4;
    x ^= x << 8;
    x ^= x << 16;
    return x;
}
#endif

// First index in [from, end) whose character is in `set`, or `end`.
inline uint32_t SkipTo(const char16_t* p, uint32_t from, uint32_t end, uint8_t set) {
    while (from < end && !InSet(p[from], set)) ++from;
    return from;
}
// As SkipTo, but a quote opens a run up to the same quote that is passed over whole, just as the
// parser passes over it when it looks for the end of a start tag; so reading and editing a tag never
// see a ">" or a name end inside text the parser took as quoted.
inline uint32_t SkipToOutsideQuotes(const char16_t* p, uint32_t from, uint32_t end, uint8_t set) {
    while (from < end && !InSet(p[from], set)) {
        if (p[from] == u'"' || p[from] == u'\'') {
            const char16_t quote = p[from];
            while (++from < end && p[from] != quote) {
            }
        }
        if (from < end) ++from;
    }
    return from;
}

// First index in [from, end) whose character is not in `set`, or `end`.
inline uint32_t SkipOver(const char16_t* p, uint32_t from, uint32_t end, uint8_t set) {
    while (from < end && InSet(p[from], set)) ++from;
    return from;
}

// The end of an element name starting at `from`: the first character of " \t\n\r/>", or `end`.
inline uint32_t ElementNameEnd(const char16_t* p, uint32_t from, uint32_t end) {
#if defined(__SSE2__)
    const __m128i space = _mm_set1_epi16(u' '), tab = _mm_set1_epi16(u'\t'), line = _mm_set1_epi16(u'\n'),
                  ret = _mm_set1_epi16(u'\r'), slash = _mm_set1_epi16(u'/'), close = _mm_set1_epi16(u'>');
    while (from + 8 <= end) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + from));
        const __m128i hit =
            _mm_or_si128(_mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(c, space), _mm_cmpeq_epi16(c, close)),
                                      _mm_or_si128(_mm_cmpeq_epi16(c, slash), _mm_cmpeq_epi16(c, line))),
                         _mm_or_si128(_mm_cmpeq_epi16(c, tab), _mm_cmpeq_epi16(c, ret)));
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hit));
        if (mask) return from + static_cast<uint32_t>(__builtin_ctz(mask)) / 2;
        from += 8;
    }
#endif
    return SkipTo(p, from, end, kElementNameEnd);
}

// Whether the `length` characters at `a` and at `b` are the same. `readable` characters may be read
// from `a` on, and as many from `b`, which must not lie after `a`: names are compared eight at a time
// where the text allows it.
inline bool SameUnits(const char16_t* a, const char16_t* b, uint32_t length, uint32_t readable) {
    uint32_t k = 0;
#if defined(__SSE2__)
    for (; k < length && k + 8 <= readable; k += 8) {
        const unsigned equal = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + k)),
                                              _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + k)))));
        const unsigned wanted = length - k >= 8 ? 0xFFFFu : (1u << (2 * (length - k))) - 1;
        if (~equal & wanted) return false;
    }
#endif
    for (; k < length; ++k)
        if (a[k] != b[k]) return false;
    return true;
}

// First index in [from, end) holding `a`, or `end`.
inline uint32_t Find(const char16_t* p, uint32_t from, uint32_t end, char16_t a) {
#if defined(__SSE2__)
    const __m128i va = _mm_set1_epi16(static_cast<short>(a));
    // Most searches end within a few characters; runs of text longer than that are read 32 at a
    // time, with one branch for each.
    if (from + 8 <= end) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + from));
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(chunk, va)));
        if (mask) return from + static_cast<uint32_t>(__builtin_ctz(mask)) / 2;
        from += 8;
    }
    for (; from + 32 <= end; from += 32)
        if (const uint32_t mask = Mask32(p + from, va)) return from + static_cast<uint32_t>(__builtin_ctz(mask));
    while (from + 8 <= end) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + from));
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(chunk, va)));
        if (mask) return from + static_cast<uint32_t>(__builtin_ctz(mask)) / 2;
        from += 8;
    }
#endif
    while (from < end && p[from] != a) ++from;
    return from;
}

// First index in [from, end) holding `a`, `b` or `c`, or `end`.
inline uint32_t FindAny(const char16_t* p, uint32_t from, uint32_t end, char16_t a, char16_t b, char16_t c) {
#if defined(__SSE2__)
    const __m128i va = _mm_set1_epi16(static_cast<short>(a));
    const __m128i vb = _mm_set1_epi16(static_cast<short>(b));
    const __m128i vc = _mm_set1_epi16(static_cast<short>(c));
    while (from + 8 <= end) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + from));
        const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(chunk, va), _mm_cmpeq_epi16(chunk, vb)),
                                         _mm_cmpeq_epi16(chunk, vc));
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hit));
        if (mask) return from + static_cast<uint32_t>(__builtin_ctz(mask)) / 2;
        from += 8;
    }
#endif
    while (from < end && p[from] != a && p[from] != b && p[from] != c) ++from;
    return from;
}

// Index of the first occurrence of `what` (at least one character) in [from, end), or `end`.
inline uint32_t FindText(const char16_t* p, uint32_t from, uint32_t end, std::u16string_view what) {
    const uint32_t size = static_cast<uint32_t>(what.size());
    if (end - from < size) return end;
    const uint32_t last_start = end - size;
    while (from <= last_start) {
        from = Find(p, from, last_start + 1, what[0]);
        if (from > last_start) break;
        if (std::u16string_view(p + from, size) == what) return from;
        ++from;
    }
    return end;
}

inline bool IsWhitespaceOnly(const char16_t* p, uint32_t from, uint32_t end) {
    return SkipOver(p, from, end, kWhitespace) == end;
}

// Names compare exactly, or with letter case folded by the string library's tables.
inline bool NamesEqual(std::u16string_view a, std::u16string_view b, bool ignore_case) {
    if (a.size() != b.size()) return false;
    if (a == b) return true;
    if (!ignore_case) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && TLStringLibrary::ToLower(a[i]) != TLStringLibrary::ToLower(b[i])) return false;
    return true;
}

// Constructs that begin with "<", told apart by the characters after it.
enum class Markup {
    kStartTag,
    kEndTag,
    kComment,
    kCData,
    kDocType,
    kProcessingInstruction,
    kBadTagName,  // "<" followed by a character that cannot stand in a tag name
    kBadComment,  // "<!-" followed by anything but "-"
    kBadBangTag,  // "<!" followed by anything else, "<![" not followed by "C"
    kCutShort,    // the text ends within the characters that tell the construct
};

// What the "<" at `at` opens; `end` bounds the look-ahead.
Markup ClassifyMarkup(const char16_t* p, uint32_t at, uint32_t end);

// The construct's name in the "unterminated" problem.
const char16_t* UnterminatedName(Markup markup);

// The index just after the construct that the "<" at `at` opens (its closing ">", "-->", "?>" or
// "]]>" included), or 0 when the text ends inside it. Not for kStartTag (see StartTagEnd) or the
// bad kinds.
uint32_t MarkupEnd(Markup markup, const char16_t* p, uint32_t at, uint32_t end);

// The index of the ">" that ends the start tag whose name ends at `name_end`, skipping quoted values,
// or `end` when the text ends first.
inline uint32_t StartTagClose(const char16_t* p, uint32_t name_end, uint32_t end) {
    uint32_t k = name_end;
    if (k < end && p[k] == u'>') return k;  // no attributes
#if defined(__SSE2__)
    // 32 characters at a time while the tag holds double quotes only: a ">" lies outside the values
    // when an even number of quotes precedes it.
    const __m128i quote = _mm_set1_epi16(u'"'), apostrophe = _mm_set1_epi16(u'\''), close = _mm_set1_epi16(u'>');
    uint32_t inside = 0;  // all ones while the window starts inside a value
    while (k + 32 <= end && !Mask32(p + k, apostrophe)) {
        const uint32_t quotes = Mask32(p + k, quote);
        const uint32_t in_value = PrefixParity(quotes) ^ inside;
        const uint32_t outside_close = Mask32(p + k, close) & ~in_value;
        if (outside_close) return k + static_cast<uint32_t>(__builtin_ctz(outside_close));
        inside = (in_value >> 31) ? 0xFFFFFFFFu : 0;
        k += 32;
    }
    if (inside) {
        k = Find(p, k, end, u'"');
        if (k >= end) return end;
        ++k;
    }
#endif
    for (;;) {
        k = FindAny(p, k, end, u'>', u'"', u'\'');
        if (k >= end || p[k] == u'>') return k;
        k = Find(p, k + 1, end, p[k]);
        if (k >= end) return end;
        ++k;
    }
}

// One node of content, as the node walk and the data of mixed content see it.
TLXMLDocument::Node LexNode(const char16_t* p, uint32_t at, uint32_t end);

}  // namespace tlxml_scan
