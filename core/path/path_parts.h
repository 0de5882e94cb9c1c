#pragma once
// Splitting and preparing paths as text, without touching the file system.

#include "core/string/tl_string.h"

namespace tlpath {

// Paths this long or longer go to Windows with the "\\?\" prefix.
constexpr size_t kLongPathLength = 260;

// The path as Windows must be given it: from kLongPathLength characters on it carries "\\?\" (or
// "\\?\UNC\" in place of the two leading backslashes of a network path); shorter or already prefixed
// paths stay as they are.
TLString WithLongPathPrefix(const TLString& path);

// The path without a "\\?\" or "\\?\UNC\" prefix (a network path gets its two backslashes back).
TLString WithoutLongPathPrefix(const TLString& path);

// True when the path starts with a drive ("C:\") or a server ("\\server"); prefixes are looked through.
bool HasDriveOrServer(const TLString& path);

// The folder part with its trailing backslash ("C:\a\b.txt" gives "C:\a\"); empty without a folder.
TLString FolderOf(const TLString& path);
// The last name of the path ("C:\a\b.txt" gives "b.txt").
TLString NameOf(const TLString& path);
// The extension of the last name with its dot ("b.tar.gz" gives ".gz"); empty when it has none. A name
// that starts with its only dot (".profile") has no extension.
TLString ExtensionOf(const TLString& path);

}  // namespace tlpath
