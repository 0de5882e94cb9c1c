#include "engine/migration/settings_migration.h"

#include "core/path/path_parts.h"
#include "core/tools/scoped_trace.h"
#include "core/tools/tools.h"
#include "core/windows/registry.h"
#include "core/windows/tl_file_system.h"
#include "engine/migration/migration_rules.h"

namespace engine::migration {
namespace {

// This version's own library from an earlier install, which the uninstaller leaves behind.
bool OwnLibraryFound(const MigrationRequest& request) {
    if (!tlwin::TLFileSystem::IsFolderEmpty(request.data_folder + u"Library\\")) return true;
    TLString library;
    return tlwin::RegistryKey::Open(HKEY_CURRENT_USER, ProductKeyPath(kThisVersion) + u"\\Properties")
        .ReadString(u"Library", &library);
}

void RunStep(IInstallProgress& progress, const char16_t* text, bool run, void (*step)(const MigrationRequest&),
             const MigrationRequest& request) {
    progress.SetRange(1);
    progress.SetText(tools::Translate(text));
    if (run) step(request);
    progress.SetPosition(1);
}

}  // namespace

void MigrateSettings(const MigrationRequest& request, IInstallProgress& progress) {
    TLScopedTrace trace(u"MigrateSettings");
    MigrationFacts facts;
    facts.existing_installation_found = request.existing_installation_found;
    facts.portable = request.portable;
    facts.no_upgrade = request.no_upgrade;
    facts.product_name = request.product_name;
    facts.own_library_found = OwnLibraryFound(request);
    const MigrationPlan plan = PlanMigration(facts);
    // Without the process block's data folder every path below would name the current folder.
    const bool data_folder_known = tlpath::HasDriveOrServer(request.data_folder);
    if (!data_folder_known)
        tools::Log(u"MigrateSettings",
                   u"The product's data folder is not known: neither the default library nor an earlier "
                   u"version's settings are loaded",
                   tltools::ILogger::kError);
    if (plan.own_library_kept)
        tools::LogFormat(u"MigrateSettings",
                         u"\"%sLibrary\\\" or the \"Library\" setting of %s is there already: the person's own "
                         u"library is kept and neither the default library nor an earlier version's is loaded",
                         request.data_folder, VersionName(kThisVersion));
    RunStep(progress, u"Loading default library and settings...", plan.load_default_library && data_folder_known,
            LoadDefaultLibrary, request);
    RunStep(progress, u"Upgrading from previous version...", plan.upgrade && data_folder_known,
            UpgradeFromPreviousVersions, request);
}

}  // namespace engine::migration
