#include "engine/cleaning/cleaning.h"

#include "core/tools/tools.h"
#include "engine/cleaning/obsolete_list.h"
#include "engine/cleaning/settings_tidy.h"
#include "engine/copy/file_kinds.h"
#include "engine/filesystem/tl_file_system.h"
#include "engine/finalize/finalize_plan.h"
#include "engine/pending/pending_records.h"
#include "engine/process/run_program.h"

namespace engine {
namespace {

void DeleteTree(const TLString& install_folder, const char16_t* relative) {
    TLFileSystem::DeleteDirectoryTree(install_folder + relative);
}

// What an earlier run left for the next start must not mix with this run's records.
void EmptyFinalizeSection() {
    tools::Settings section = tools::OpenSettingsSection(TLString(kFinalizeSection));
    for (const TLString& name : section.ValueNames()) section.DeleteValue(name);
    for (const TLString& name : section.SubsectionNames()) section.DeleteSubsection(name);
}

void CleanDataFolders(const CleaningRequest& request) {
    if (request.clean_data_folders) {
        for (const char16_t* folder : {u"Data\\", u"Skins\\", u"Stores\\"}) DeleteTree(request.install_folder, folder);
    }
    for (const char16_t* folder : {u"Data\\Saved Views\\", u"Skins\\Lounge View\\Themes\\Default\\"})
        DeleteTree(request.install_folder, folder);
}

}  // namespace

void DeleteObsoleteFile(const TLString& path, PendingOperations& pending) {
    if (!TLFileSystem::FileExists(path)) return;
    if (IsRegistrableFile(path)) tlproc::RegisterWithRegSvr32(path, false, false);
    if (!TLFileSystem::DeleteFile(path)) pending.files.Add(DeleteRecord(path));
}

void CleanInstallationDirectory(const CleaningRequest& request, PendingOperations& pending) {
    const TLString& folder = request.install_folder;
    if (!request.holds_product)
        tools::LogFormat(u"CleanInstallationDirectory", u"%s does not hold the product: its files stay", folder);
    if (request.holds_product) {
        for (const char16_t* entry : BuiltInObsoleteEntries()) {
            const TLString path = folder + entry;
            if (path.Last() == u'\\')
                TLFileSystem::DeleteDirectoryTree(path);
            else
                DeleteObsoleteFile(path, pending);
        }
    }
    TidyProductSettings();
    if (request.holds_product) {
        CleanDataFolders(request);
        DeleteTree(folder, u"Setup\\");
    }
    EmptyFinalizeSection();
    if (request.holds_product) {
        for (const TLString& path : ConfiguredObsoletePaths(request.configured_obsolete, folder))
            DeleteObsoleteFile(path, pending);
    }
}

}  // namespace engine
