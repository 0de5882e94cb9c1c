#pragma once
// TLStringMap: text values under case-insensitive names. A name's characters are folded to lower case
// through the string library; the hash runs over the folded characters (h * 0x1003F + c, 32 bits).

#include "core/property/tl_map.h"
#include "core/string/tl_string.h"

struct TLNoCaseNameTraits {
    static uint32_t Hash(std::u16string_view name);
    static bool Equal(std::u16string_view a, std::u16string_view b);
};

class TLStringMap : public TLMap<TLString, TLString, TLNoCaseNameTraits> {
public:
    static uint32_t Hash(std::u16string_view name) { return TLNoCaseNameTraits::Hash(name); }
};
