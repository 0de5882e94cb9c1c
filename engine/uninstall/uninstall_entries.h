#pragma once
// The product family's entries in Windows' list of installed programs.

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"

struct UninstallEntries {
    // The entry of this product; when none exists yet, a name that no entry uses.
    TLString entry_name;
    // Other entries of the family (same name prefix, Corvane as publisher).
    TLStringArray other_entries;
    bool found = false;
};

// Looks through the uninstall key of the 64-bit view, or the 32-bit view when `wow64_view` is set.
// The family's entries begin with `family_prefix` (product string 2); this product's entry is
// named `product_name` (product string 3), with " (64-bit)" in the 64-bit view.
UninstallEntries FindUninstallEntries(const TLString& family_prefix, const TLString& product_name, bool wow64_view);
