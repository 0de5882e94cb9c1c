#pragma once
// The product's launcher in the destination when the distribution could not be written.
//
// The distribution carries the launcher as "System\Always Overwrite\Tone Core Launcher.exe"; startup
// renames it to the product's launcher name and copies it into the distribution's "Tunevault\", from
// where the program file copy takes it into the destination. On read-only media (a DVD, a share the
// user may only read) neither step can happen, and nothing may be written there; the copy phase then
// copies the launcher straight into the destination under the product's name, so that the installed
// product is the same as one from writable media.

#include <functional>

#include "core/string/tl_string.h"

namespace engine {

// The distribution's name of the launcher before startup renames it.
inline constexpr char16_t kNeutralLauncherName[] = u"Tone Core Launcher.exe";

// The file to copy to the destination's `launcher_name`, or empty when the program files bring it
// already, when there is none, or when the product names no launcher. `source_folder` ends in a
// backslash; `exists` says whether a file is there.
TLString LauncherToPlace(const TLString& source_folder, const TLString& launcher_name,
                         const std::function<bool(const TLString&)>& exists);

}  // namespace engine
