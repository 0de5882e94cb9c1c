#pragma once
// Small tests and rewrites of file-name text.

#include <string_view>

#include "core/string/tl_string.h"

// The text is in the file-name form (starts with "<XMLFN version=", letter case aside).
bool IsXMLFilename(std::u16string_view text);

// The text names a file on a local or network drive as it stands: not a URL, not one of the product's
// library or stream files (".tvlb", ".tltv", ".tvgd"), not a path on a volume given by its serial
// ("(0x1234ABCD):\..."), not a name under a named location ("(NAME:..."), not a property holder.
bool IsPlainLocalPath(std::u16string_view text);

// Replaces a leading "(Install Drive):" (letter case aside) once by the drive of `program_folder`
// ("D:" or "\\server\share"). False, and the path unchanged, without the prefix or when the folder has
// no drive to give.
bool ExpandInstallDrive(TLString& path, std::u16string_view program_folder);
