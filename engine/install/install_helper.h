#pragma once
// CInstallHelper: the copy-and-register phase of an install. It cleans the install folder, copies the
// core libraries and writes the installations record, puts system files and fonts in place, copies
// and registers the program files and writes the uninstall entry, reporting as it goes.

#include <optional>

#include "app/install_session.h"
#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"
#include "engine/copy/file_copier.h"
#include "engine/copy/install_progress.h"
#include "engine/pending/pending_operations.h"

namespace engine {

class CInstallHelper {
public:
    // `source_folder` is the distribution folder (the installer's own, with a trailing backslash).
    CInstallHelper(const InstallSession& session, TLString source_folder, PendingOperations& pending);

    // Runs the phase's steps in order. False when a step that must not fail failed (the user cancelled
    // the core-library copy): the installation stops and the wizard closes.
    bool CopyAndRegister(IInstallProgress& progress);

    // The COM servers copied, in the order they were registered.
    const TLStringArray& RegisterList() const { return register_list_; }

private:
    void Clean(IInstallProgress& progress);
    void MigrateSettings(IInstallProgress& progress);
    void InstallSystemFiles(IInstallProgress& progress);
    void StopMediaServer();
    void CopyProgramFiles(IInstallProgress& progress);
    // Where startup could not put the launcher among the distribution's program files (read-only
    // media), it is copied straight into the destination under the product's launcher name.
    void PlaceLauncherFromReadOnlyMedia();
    void RemoveFormerLayout();
    void RegisterProgramFiles(IInstallProgress& progress);
    void RegisterWithShell(IInstallProgress& progress);
    void WriteUninstallEntry();

    const InstallSession& session_;
    TLString source_folder_;
    TLString install_folder_;
    PendingOperations& pending_;
    // Made when the phase starts: the wizard chooses the destination after the page is built.
    std::optional<CFileCopier> copier_;
    TLStringArray register_list_;
    bool media_server_edition_ = false;
    bool holds_product_ = false;
};

}  // namespace engine
