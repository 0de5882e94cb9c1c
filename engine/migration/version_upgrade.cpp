// Carrying the library, settings, cover art and thumbnails of versions 20 to 26 over into this one.
#include "core/tools/scoped_trace.h"
#include "core/tools/tools.h"
#include "core/windows/registry.h"
#include "core/windows/tl_file_system.h"
#include "engine/migration/migration_changes.h"
#include "engine/migration/migration_rules.h"
#include "engine/migration/registry_tree_copy.h"
#include "engine/migration/replacement_pairs.h"
#include "engine/migration/settings_migration.h"

namespace engine::migration {
namespace {

constexpr char16_t kImageLocation[] = u"File Location - Image File Location";

TLString ReadSetting(const TLString& key_path, const TLString& name) {
    TLString value;
    tlwin::RegistryKey::Open(HKEY_CURRENT_USER, key_path).ReadString(name, &value);
    return value;
}

void CopyFolderIfThere(journal::CJournal* journal, const TLString& source, const TLString& target) {
    if (tlwin::TLFileSystem::FolderExists(source)) CopyFolderTree(journal, source, target);
}

void Upgrade(int version, const MigrationRequest& request, ReplacementPairs& pairs) {
    const TLString old_key = ProductKeyPath(version);
    const TLString new_key = ProductKeyPath(kThisVersion);
    const TLString old_data = VersionDataFolder(request.data_folder, version);

    const TLString library =
        LibraryToCopy(ReadSetting(old_key + u"\\Properties", u"Library"), old_data, request.data_folder + u"Library\\");
    if (!library.empty() && tlwin::TLFileSystem::FolderExists(library)) {
        tools::LogFormat(u"UpgradeFromPreviousVersions", u"The library of %s: \"%s\"", VersionName(version), library);
        CopyFolderTree(request.journal, library, request.data_folder + u"Library\\");
    }

    pairs.AddName(VersionName(version), VersionName(kThisVersion));
    pairs.AddFolder(ReadSetting(old_key + u"\\Installer", u"Install Directory"), request.destination_folder);

    if (tlwin::RegistryKey::Open(HKEY_CURRENT_USER, old_key).IsOpen()) {
        tools::LogFormat(u"UpgradeFromPreviousVersions", u"Copying the settings of %s", VersionName(version));
        CopyRegistryTree(request.journal, old_key, new_key, {u"Installer", u"Dependencies"}, pairs);
        // The product rebuilds its list of libraries from the library it finds.
        DeleteSettingValue(request.journal, new_key + u"\\Properties", u"Library");
        DeleteSettingKey(request.journal, new_key + u"\\Properties\\Libraries");
    }

    CopyFolderIfThere(request.journal, old_data + u"Settings\\", request.data_folder + u"Settings\\");
    if (version >= 23) {
        const FolderCopy cover_art =
            CoverArtToCopy(ReadSetting(old_key + u"\\Properties", kImageLocation), old_data,
                           ReadSetting(new_key + u"\\Properties", kImageLocation), request.data_folder);
        if (!cover_art.from.empty()) CopyFolderIfThere(request.journal, cover_art.from, cover_art.to);
    }
    CopyFolderIfThere(request.journal, old_data + u"Thumbnails\\", request.data_folder + u"Thumbnails\\");
}

}  // namespace

void UpgradeFromPreviousVersions(const MigrationRequest& request) {
    TLScopedTrace trace(u"UpgradeFromPreviousVersions");
    // Oldest first, so that the newest earlier version's files are the ones left in place; its
    // settings only fill what the older ones left open, as no value is ever overwritten.
    ReplacementPairs pairs;
    for (int version = kOldestMigratedVersion; version <= kNewestMigratedVersion; ++version)
        Upgrade(version, request, pairs);
}

}  // namespace engine::migration
