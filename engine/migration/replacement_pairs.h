#pragma once
// The texts the migration replaces in every string value it copies from an earlier version: the old
// install folders by the new one, and the old product names by this one.

#include <utility>
#include <vector>

#include "core/string/tl_string.h"

namespace engine::migration {

class ReplacementPairs {
public:
    // "Tonehall 26" -> "Tonehall 27": replaced as written.
    void AddName(const TLString& old_text, const TLString& new_text);
    // An old install folder -> the destination folder: replaced whatever its case, as Windows names the
    // same folder in any case; a folder equal to the new one, or a drive's root, adds nothing. Trailing backslashes are
    // left off both sides, so a value naming the folder itself is replaced as well as one naming a file in it.
    void AddFolder(const TLString& old_folder, const TLString& new_folder);

    // Folders first: a folder's own name holds a product name ("D:\Tonehall 26\"), which must not be
    // turned into a folder that does not exist before the whole folder is replaced.
    TLString Apply(const TLString& text) const;

    bool empty() const { return names_.empty() && folders_.empty(); }

private:
    std::vector<std::pair<TLString, TLString>> names_;
    std::vector<std::pair<TLString, TLString>> folders_;
};

}  // namespace engine::migration
