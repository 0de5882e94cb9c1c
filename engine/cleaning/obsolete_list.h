#pragma once
// What earlier versions of the product left in its folder and the new version no longer uses.

#include <span>

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"

namespace engine {

// Paths relative to the install folder, in the order they are deleted; a trailing backslash marks a
// folder tree.
std::span<const char16_t* const> BuiltInObsoleteEntries();

// The configured list (";"-separated) as full paths: a relative entry lies in the install folder, an
// absolute one ("C:\..." or "\\server\...") is taken as given; empty entries name nothing.
TLStringArray ConfiguredObsoletePaths(const TLString& list, const TLString& install_folder);

// What tells that a folder already holds this product. Cleaning deletes folder trees and obsolete
// files only there, so that installing into a folder of the user's own ("D:\Work\") never empties its
// "Data" or "Setup" subfolders.
struct ProductFolderFacts {
    bool main_program_present = false;
    bool portable_marker_present = false;
    bool named_by_installations_record = false;
    bool named_by_uninstall_entry = false;
};
bool HoldsProduct(const ProductFolderFacts& facts);

}  // namespace engine
