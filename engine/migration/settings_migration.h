#pragma once
// The copy phase's two migration steps, in this order: "Loading default library and settings..."
// (the default library that ships with the installer) and "Upgrading from previous version..." (the
// library and settings of versions 20 to 26). They run before the program files are copied.

#include "core/string/tl_string.h"
#include "core/tools/tools_interface.h"
#include "engine/copy/install_progress.h"
#include "engine/journal/journal.h"

namespace engine::migration {

struct MigrationRequest {
    bool existing_installation_found = false;
    bool portable = false;
    bool no_upgrade = false;
    TLString product_name;                                // the product information's name 3 ("Tonehall 27")
    TLString destination_folder;                          // with a trailing backslash
    TLString data_folder;                                 // the product's data folder, with a trailing backslash
    TLString default_library;                             // the distribution's "Library\"
    tltools::ISettingsImport* settings_import = nullptr;  // none: the default settings are not imported
    journal::CJournal* journal = nullptr;                 // notes each change; none: changes made directly
};

// Runs both steps, each with its own progress text and a range of 1.
void MigrateSettings(const MigrationRequest& request, IInstallProgress& progress);

// The steps themselves, for the tests; MigrateSettings decides whether they run.
void LoadDefaultLibrary(const MigrationRequest& request);
void UpgradeFromPreviousVersions(const MigrationRequest& request);

}  // namespace engine::migration
