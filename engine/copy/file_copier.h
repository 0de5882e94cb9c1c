#pragma once
// Copies single files into place: the version rule, files in use staged in the install folder's
// "Setup\" and moved at the next start, and the routing of COM servers to their registration.

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"
#include "engine/copy/copy_mode.h"
#include "engine/pending/pending_operations.h"

namespace engine {

class CFileCopier {
public:
    // `source_root` is the distribution folder (staged copies keep their path below it);
    // `install_folder` the destination folder whose "Setup\" holds them.
    CFileCopier(TLString source_root, TLString install_folder, PendingOperations& pending);

    // Copies `source` over `destination` as the mode says. The installed file is never deleted first:
    // when the copy fails because a program holds the file, the copy waits for the next start; on any
    // other failure the installed file stays and the install counts as incomplete. A COM server goes
    // to `register_list` when one is given, else it is registered at once.
    void Copy(const TLString& source, const TLString& destination, CopyMode mode, TLStringArray* register_list);
    // Copy, for a destination whose folder exists already (a folder copy makes its folders first).
    // Without `special_attributes` (the source is neither read-only, hidden nor system) the copy's
    // attributes need no clearing.
    void CopyIntoFolder(const TLString& source, const TLString& destination, CopyMode mode,
                        TLStringArray* register_list, bool special_attributes = true);

    // Stages `source` and has Windows move it over `destination` at the next start.
    bool ScheduleReplacement(const TLString& source, const TLString& destination);
    // Stages `source` and adds "staged|destination" to the pending file list. With an empty
    // destination (a plug-in package) the archive of the same name beside it, or with `folder` the
    // source's whole folder, is staged too.
    bool RecordForNextStart(const TLString& source, const TLString& destination, bool folder);

    // Sources that the core-library step copied already; the program file copy leaves them alone.
    void SetCopiedCoreLibraries(TLStringArray sources) { core_libraries_ = std::move(sources); }

    // Files that could not be put in place, now or at the next start.
    int FilesNotInstalled() const { return not_installed_; }

private:
    TLString StagedPath(const TLString& source) const;
    // The copy after the version rule said yes; returns whether it waits for the next start.
    bool Replace(const TLString& source, const TLString& destination, CopyMode mode, bool special_attributes);

    TLString source_root_;
    TLString install_folder_;
    PendingOperations& pending_;
    TLStringArray core_libraries_;
    int not_installed_ = 0;
};

}  // namespace engine
