#pragma once
// What the settings migration decides, as plain functions of what it found: which of its two steps
// run, where an earlier version kept its data, which library and cover-art folders may be copied.

#include "core/string/tl_string.h"
#include "core/tools/product_key.h"

namespace engine::migration {

inline constexpr int kThisVersion = tools::kProductMajorVersion;
inline constexpr int kOldestMigratedVersion = 20;
inline constexpr int kNewestMigratedVersion = 26;

// "Tonehall <version>", the name every version's keys and folders carry (tools::ProductSettingsKey
// names this version's key).
TLString VersionName(int version);
// The version's product key below HKEY_CURRENT_USER: "Software\C. Orvane\Tonehall <version>".
TLString ProductKeyPath(int version);

struct MigrationFacts {
    bool existing_installation_found = false;
    bool portable = false;
    bool no_upgrade = false;
    TLString product_name;  // as the product information names it for folders and keys
    // This version's own data from an earlier install: the data folder's "Library\" holds more than
    // "Thumbs.db", or "Properties" has a "Library" value.
    bool own_library_found = false;
};

struct MigrationPlan {
    bool load_default_library = false;
    bool upgrade = false;
    // Both steps were left out because the person's own library is already there.
    bool own_library_kept = false;
};

MigrationPlan PlanMigration(const MigrationFacts& facts);

// An earlier version's data folder: this version's, with every "Tonehall 27" naming that version.
TLString VersionDataFolder(const TLString& data_folder, int version);

// A folder named by a setting, with "[App Data Path]" standing for `data_folder`, made absolute and
// ending in a backslash; empty when the setting names no absolute folder.
TLString ResolveDataFolder(const TLString& setting, const TLString& data_folder);

// Whether one folder lies inside the other or both are the same (case-insensitive).
bool FoldersOverlap(const TLString& first, const TLString& second);

// The library folder an earlier version's "Library" setting (a property map in the "XMLPH" form)
// names by its "LibraryPath", when it may be copied into `target_library`: never a relative or empty
// path, and never a folder that holds the target or lies in it. Empty otherwise.
TLString LibraryToCopy(const TLString& library_setting, const TLString& version_data_folder,
                       const TLString& target_library);

struct FolderCopy {
    TLString from;
    TLString to;
    bool operator==(const FolderCopy&) const = default;
};

// The cover art of an earlier version and where this version keeps it, from each version's
// "File Location - Image File Location" (empty: the data folder's "Cover Art\"). Empty folders when
// there is nothing to copy: the same folder, overlapping folders or a relative setting.
FolderCopy CoverArtToCopy(const TLString& old_setting, const TLString& version_data_folder, const TLString& new_setting,
                          const TLString& data_folder);

}  // namespace engine::migration
