#pragma once
// The text forms in which property maps keep numbers.

#include <cstdint>

#include "core/string/tl_string.h"

namespace tlnumber {

// Signed decimal.
TLString FormatInteger(int64_t value);
// The fewest decimals (at most 16) that give the value back, no trailing zeros, no point for an
// integral value: 3, 2.5, 0.1.
TLString FormatDouble(double value);
// Sixteen upper-case hexadecimal digits, no prefix.
TLString FormatPointer(uintptr_t value);

// Leading white space and a sign, then decimal digits; 0 when there are none.
int64_t ParseInteger(std::u16string_view text);
// Leading white space, then the longest decimal or exponent form a double can be read from; 0 when none.
double ParseDouble(std::u16string_view text);
// Leading white space and an optional "0x", then hexadecimal digits; saturates at the largest value.
uintptr_t ParsePointer(std::u16string_view text);

}  // namespace tlnumber
