#include "core/string/tl_string_locale.h"

#include <cwctype>

namespace TLStringLibrary {

Tables TablesForCurrentLocale() {
    // Characters the locale does not classify keep their default class, so that an unusual locale
    // never loses the ASCII rules.
    Tables tables = DefaultTables();
    for (int c = 0; c < 256; ++c) {
        const auto wide = static_cast<wint_t>(c);
        const auto lower = static_cast<char16_t>(std::towlower(wide));
        const auto upper = static_cast<char16_t>(std::towupper(wide));
        if (lower < 256) tables.lower[c] = lower;
        if (upper < 256) tables.upper[c] = upper;
        uint8_t flags = tables.flags[c];
        if (std::iswupper(wide)) flags |= kUpper;
        if (std::iswlower(wide)) flags |= kLower;
        if (std::iswspace(wide)) flags |= kSpace;
        tables.flags[c] = flags;
    }
    return tables;
}

}  // namespace TLStringLibrary
