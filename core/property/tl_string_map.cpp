#include "tl_string_map.h"

#include "core/string/tl_string_library.h"

uint32_t TLNoCaseNameTraits::Hash(std::u16string_view name) {
    uint32_t h = 0;
    for (char16_t c : name) h = h * 0x1003Fu + TLStringLibrary::ToLower(c);
    return h;
}

bool TLNoCaseNameTraits::Equal(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (TLStringLibrary::ToLower(a[i]) != TLStringLibrary::ToLower(b[i])) return false;
    return true;
}
