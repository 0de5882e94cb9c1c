#pragma once
// The files below a folder of the distribution, found before anything is copied.

#include <cstdint>
#include <vector>

#include "core/string/tl_string.h"

namespace engine {

struct SourceFile {
    TLString relative;  // below the folder, with backslashes
    uint64_t size = 0;
    // Read-only, hidden or system: a copy inherits these and must have them cleared.
    bool special_attributes = false;
};

struct SourceTree {
    std::vector<SourceFile> files;  // in enumeration order, a folder's files before its subfolders'
    std::vector<TLString> folders;  // below the folder, each ending in a backslash; parents first
    uint64_t total_bytes = 0;
};

// Every file below `folder` (which ends in a backslash), subfolders included; links are not followed.
// A missing folder holds no files.
SourceTree ListSourceTree(const TLString& folder);

}  // namespace engine
