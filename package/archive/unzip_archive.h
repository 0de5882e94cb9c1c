#pragma once
// Unpacks a package's zip archive into a folder and nowhere else: every entry name is checked before
// anything is written (an archive with one name that would lead out of the folder is refused whole),
// no folder on the way may be a link, and the archive's declared content is bounded, so that a
// decompression bomb fails instead of filling the disk. An entry that fails half way is removed.

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"
#include "core/windows/change_notes.h"

namespace package {

// The most an archive of a package may unpack to.
inline constexpr uint64_t kMaxUnpackedSize = uint64_t{1} << 30;

struct UnzipOptions {
    bool keep_folders = false;  // otherwise every file lands directly in the target, without its folders
    uint64_t max_unpacked_size = kMaxUnpackedSize;
};

// `target` ends with a backslash and is made when missing. `written` receives the files written, in
// order, also when the unpacking fails. False when the archive cannot be read, is refused, or a file
// cannot be written.
bool UnzipArchive(const TLString& archive, const TLString& target, const UnzipOptions& options, tlwin::IChangeNotes& notes,
                  TLStringArray& written);

}  // namespace package
