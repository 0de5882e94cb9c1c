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
// This product's entry is named by product string 3, with " (64-bit)" in the 64-bit view.
UninstallEntries FindUninstallEntries(bool wow64_view);
