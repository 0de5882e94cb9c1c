#pragma once
// CPackageActions: carries out what a package asks for, its package actions first (unpacking, skins,
// media), then each file entry's actions in order. A failing file action shows its message and ends
// the run; the caller then reports the package as failed.

#include <vector>

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"
#include "core/tools/install_prompts.h"
#include "core/windows/change_notes.h"
#include "package/actions/file_commands.h"
#include "package/actions/package_target.h"
#include "package/description/package_description.h"

namespace package {

class CPackageActions {
public:
    CPackageActions(const PackageTarget& target, tools::IInstallPrompts& prompts, tlwin::IChangeNotes& notes);

    // `local_files` holds, for each file entry in order, where its file lies now (the package's
    // folder or the download). Unpacked files go below `unpack_folder`.
    bool Run(const PackageDescription& description, const TLStringArray& local_files, const TLString& unpack_folder);

    // The message of the action that failed (shown already), for the package's own failure report.
    const TLString& FailureText() const { return failure_; }
    // Files and folders made for this run only, for the clean-up.
    const TLStringArray& UnpackedFiles() const { return unpacked_; }

private:
    bool RunPackageAction(const TLString& word, const PackageDescription& description, const TLStringArray& local_files,
                          const TLString& unpack_folder);
    bool InstallSkin(const PackageDescription& description, const TLStringArray& local_files,
                     const TLString& unpack_folder);
    bool RunFileAction(const FileAction& action, const FileEntry& entry, TLString& path);
    bool Copy(TLString& path, const TLString& folder);
    bool MoveFolder(const TLString& path, const TLString& param);
    bool Execute(const TLString& path, const TLString& param);
    bool WriteRegistryValue(const TLString& param);
    void RestartProduct();
    // A path below the product folder from a name a package gave; empty when it would lead outside.
    TLString InsideProductFolder(const TLString& relative) const;
    bool Fail(TLString message);

    const PackageTarget& target_;
    tools::IInstallPrompts& prompts_;
    tlwin::IChangeNotes& notes_;
    bool keep_folders_ = false;
    TLStringArray unpacked_;
    TLString unpacked_folder_;  // where UNZIPDIR put the files, searched before the package's folder
    TLString failure_;
};

}  // namespace package
