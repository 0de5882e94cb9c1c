// Loading the default library that ships with the installer, and its exported settings.
#include "core/tools/scoped_trace.h"
#include "core/tools/tools.h"
#include "core/windows/tl_file_system.h"
#include "engine/migration/migration_changes.h"
#include "engine/migration/migration_rules.h"
#include "engine/migration/settings_migration.h"

namespace engine::migration {
namespace {

// What the imported settings carry of the machine the default library was made on.
const char16_t* const kMachineSubkeys[] = {u"CD Writer", u"Installer", u"Library Specific", u"Portable Devices",
                                           u"DLNA\\Servers"};
struct MachineValue {
    const char16_t* section;
    const char16_t* name;
};
const MachineValue kMachineValues[] = {
    {u"Library Server", u"UUID"},
    {u"Properties", u"Library"},
    {u"Properties", u"Library Directory"},
    {u"Properties", u"Library Name"},
    {u"Properties", u"Import - Last Import Single Folder"},
    {u"Properties", u"Install - Number Runs Total"},
    {u"Properties", u"Install - Number Runs After Last Install"},
    {u"Properties", u"Install - First Install Date"},
    {u"Properties", u"Install - First Install"},
};

void RemoveMachineSettings(journal::CJournal* journal) {
    const TLString product_key = ProductKeyPath(kThisVersion) + u"\\";
    for (const char16_t* subkey : kMachineSubkeys) DeleteSettingKey(journal, product_key + subkey);
    for (const MachineValue& value : kMachineValues)
        DeleteSettingValue(journal, product_key + value.section, value.name);
}

}  // namespace

void LoadDefaultLibrary(const MigrationRequest& request) {
    TLScopedTrace trace(u"LoadDefaultLibrary");
    const TLString library = request.data_folder + u"Library\\";
    if (!tlwin::TLFileSystem::IsFolderEmpty(request.default_library)) {
        CopyFolderTree(request.journal, request.default_library, library);
        DeleteFolderTree(request.journal, library + u"Settings\\");
        WriteEmptyFile(request.journal, library + u"Clone.flg");
    }
    const TLString settings = request.default_library + u"Settings\\";
    if (tlwin::TLFileSystem::IsFolderEmpty(settings)) return;
    if (!request.settings_import) {
        tools::LogFormat(u"LoadDefaultLibrary", u"No settings import: the settings in \"%s\" are not loaded", settings);
        return;
    }
    ImportSettings(*request.settings_import, settings);
    const TLString shared = settings + u"TV Shared Settings.ini";
    if (tlwin::TLFileSystem::FileExists(shared))
        CopyOneFile(request.journal, shared, request.data_folder + u"Settings\\TV Shared Settings.ini");
    RemoveMachineSettings(request.journal);
}

}  // namespace engine::migration
