#include "tl_number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "core/string/tl_string_library.h"

namespace tlnumber {
namespace {

size_t SkipSpace(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && TLStringLibrary::IsSpace(text[i])) ++i;
    return i;
}

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

}  // namespace

TLString FormatInteger(int64_t value) { return TLString::Format(u"%I64d", value); }

TLString FormatDouble(double value) {
    char digits[400];  // the widest fixed form of a double with 16 decimals fits
    size_t length = 0;
    for (int decimals = 0; decimals <= 16; ++decimals) {
        const auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals);
        length = static_cast<size_t>(result.ptr - digits);
        double back = 0;
        std::from_chars(digits, digits + length, back);
        if (back == value || !std::isfinite(value)) break;
    }
    std::string text(digits, length);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
    }
    return TLString::FromUtf8(text);
}

TLString FormatPointer(uintptr_t value) { return TLString::Format(u"%016I64X", static_cast<uint64_t>(value)); }

int64_t ParseInteger(std::u16string_view text) { return TLString(text).ToInt64(); }

double ParseDouble(std::u16string_view text) {
    size_t i = SkipSpace(text);
    if (i < text.size() && text[i] == u'+') ++i;
    std::string narrow;
    for (; i < text.size() && text[i] < 128; ++i) narrow.push_back(static_cast<char>(text[i]));
    double value = 0;
    std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
    return value;
}

uintptr_t ParsePointer(std::u16string_view text) {
    size_t i = SkipSpace(text);
    if (text.size() - i >= 2 && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) i += 2;
    constexpr uintptr_t kMax = std::numeric_limits<uintptr_t>::max();
    uintptr_t value = 0;
    for (int digit; i < text.size() && (digit = HexDigit(text[i])) >= 0; ++i) {
        if (value > (kMax >> 4)) return kMax;
        value = (value << 4) | static_cast<uintptr_t>(digit);
    }
    return value;
}

}  // namespace tlnumber
