#pragma once
// The engine's file and folder operations. They take paths of any length (long ones go to Windows
// with the "\\?\" prefix), compare paths without regard to case, log their failures to the general
// log under their own names and never show messages: callers decide what a failure means.

#include <windows.h>

#include <cstdint>

#include "core/string/tl_string.h"

// The installer calls Windows' own functions by their W names; the bare name is ours.
#undef DeleteFile

namespace tlwin {

class TLFileSystem {
public:
    TLFileSystem() = delete;

    // Creates every missing folder of the path from the top down. With `path_names_file` the last
    // part is a file name and only its folder is made. Paths without a drive or server are refused.
    static bool MakeDirectoryTree(const TLString& path, bool path_names_file = false);
    // Deletes the files (read-only ones too) and folders below the folder, deepest first, then the
    // folder. Junctions and symbolic links are removed as links; what they point to is never touched.
    static bool DeleteDirectoryTree(const TLString& folder);
    // Copies every file and folder below `source` into `destination`, making folders and overwriting
    // files (read-only ones too). Links below the source are not followed.
    static bool CopyDirectoryTree(const TLString& source, const TLString& destination);

    static bool FolderExists(const TLString& folder);
    // True for an existing entry that is not a folder.
    static bool FileExists(const TLString& path);
    // True when the folder holds no files ("Thumbs.db" does not count); with `search_subfolders` the
    // files in its subfolders count too, otherwise only those directly in it. A missing folder holds
    // no files.
    static bool IsFolderEmpty(const TLString& folder, bool search_subfolders = true);
    static bool IsFolderWritable(const TLString& folder);
    // False when a name part holds a character Windows refuses in names.
    static bool CheckName(const TLString& path);

    // Deletes one file, read-only or not; a file that is not there counts as deleted.
    static bool DeleteFile(const TLString& path);
    // Puts `new_path` in place of `target`, keeping the original when that cannot be done.
    static bool SafeReplaceFile(const TLString& target, const TLString& new_path);

    // The file's size in bytes; negative when it is missing.
    static int64_t FileSize(const TLString& path);
    // Bytes free for the caller on the folder's drive; a folder not made yet is answered by the
    // nearest parent folder that exists. Negative when no folder of the path can be asked.
    static int64_t FreeSpace(const TLString& folder);

    // The path itself while it is free, else the first numbered variant that is.
    static TLString FreeName(const TLString& path);
    // A free name in `folder` (the temporary folder when empty): the name, " - <thread id>" when
    // asked, then "." and the extension when one is given.
    static TLString TemporaryFileName(const TLString& folder, const TLString& name, const TLString& extension,
                                      bool add_thread_id);
    static TLString SizeText(int64_t bytes);
};

}  // namespace tlwin
