#pragma once
// The decisions of the file copy, as plain functions of what is known about one file: whether to copy
// it, what a failed copy means, what a copy deferred to the next start changes, and where a COM server
// goes to be registered.

#include <cstdint>

#include "core/string/tl_string.h"
#include "engine/copy/copy_mode.h"

namespace engine {

// File versions as one number each (four parts, most significant first); 0 for a missing file or one
// without a version resource. `readable` is false when the system's version functions are missing.
struct VersionFacts {
    uint64_t source = 0;
    uint64_t destination = 0;
    bool readable = true;
};

// In check-version mode a versioned file is copied only when it is strictly newer than the installed
// one (so an unversioned source never replaces anything); every other file is copied.
bool ShouldCopy(CopyMode mode, const TLString& path, const VersionFacts& versions);

// What a failed copy means. Only a file held open by another program (sharing or lock violation) is
// worth deferring to the next start; any other failure (a full disk, access denied, a source that
// cannot be read) is a failure of the install, which the person may retry or cancel.
enum class CopyFailure { kInUse, kFailed };
CopyFailure ClassifyCopyError(uint32_t windows_error);

// What it changes when the copy of `source` to `destination` waits for the next start: the shell
// extension's flag drops, and anything but the shell extension or a font needs a restart.
struct DeferralEffect {
    bool shell_extension_waits = false;
    bool restart_required = false;
};
DeferralEffect EffectOfDeferral(const TLString& source, const TLString& destination);

// Where a copied (or kept) file goes to be registered.
enum class RegistrationRoute {
    kNone,            // not a COM server, or the shell extension (registered by the plug-in step)
    kPendingList,     // its new file arrives at the next start: "_REGISTERFILE|path" for then
    kRegisterList,    // registered with the others once every program file is in place
    kRegisterAtOnce,  // a copy made without an install object to collect it
};
RegistrationRoute RouteRegistration(const TLString& source, bool deferred, bool collecting);

// Percent of the bytes done; 100 when there is nothing to do.
int PercentDone(uint64_t done, uint64_t total);

// The name a file is staged under in the install folder's "Setup\": its path relative to the
// distribution (or its name when it lies outside), so that two files of one name never meet.
TLString StagingCandidate(const TLString& install_folder, const TLString& source_root, const TLString& source);

}  // namespace engine
