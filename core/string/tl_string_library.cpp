#include "tl_string_library.h"

#include <cwctype>

namespace TLStringLibrary {
namespace {

Tables MakeDefaultTables() {
    Tables t{};
    for (int c = 0; c < 256; ++c) {
        const bool ascii_upper = c >= 'A' && c <= 'Z';
        const bool ascii_lower = c >= 'a' && c <= 'z';
        // Latin-1: 0xC0-0xDE map to 0xE0-0xFE, except the multiplication and division signs.
        const bool latin_upper = c >= 0xC0 && c <= 0xDE && c != 0xD7;
        const bool latin_lower = c >= 0xDF && c <= 0xFF && c != 0xF7;
        t.lower[c] = static_cast<char16_t>(ascii_upper || latin_upper ? c + 32 : c);
        t.upper[c] = static_cast<char16_t>(ascii_lower || (latin_lower && c != 0xDF && c != 0xFF) ? c - 32 : c);
        uint8_t f = 0;
        if (ascii_upper || latin_upper) f |= kUpper;
        if (ascii_lower || latin_lower) f |= kLower;
        if (c >= '0' && c <= '9') f |= kDigit | kHexDigit;
        if ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')) f |= kHexDigit;
        if (c == ' ' || (c >= 9 && c <= 13) || c == 0xA0) f |= kSpace;
        if (c < 32 || c == 127) f |= kControl;
        if ((c >= 33 && c <= 47) || (c >= 58 && c <= 64) || (c >= 91 && c <= 96) || (c >= 123 && c <= 126))
            f |= kPunctuation;
        t.flags[c] = f;
    }
    return t;
}

const Tables kDefault = MakeDefaultTables();
Tables g_current = kDefault;

}  // namespace

const Tables& DefaultTables() { return kDefault; }
void InstallTables(const Tables& tables) { g_current = tables; }
const Tables& CurrentTables() { return g_current; }

char16_t ToLower(char16_t c) {
    if (c < 256) return g_current.lower[c];
    if (c >= 0xD800 && c <= 0xDFFF) return c;
    return static_cast<char16_t>(std::towlower(static_cast<wint_t>(c)));
}

char16_t ToUpper(char16_t c) {
    if (c < 256) return g_current.upper[c];
    if (c >= 0xD800 && c <= 0xDFFF) return c;
    return static_cast<char16_t>(std::towupper(static_cast<wint_t>(c)));
}

uint8_t Classify(char16_t c) { return c < 256 ? g_current.flags[c] : 0; }

}  // namespace TLStringLibrary
