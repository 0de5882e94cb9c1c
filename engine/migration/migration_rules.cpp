#include "engine/migration/migration_rules.h"

#include <iterator>
#include <vector>

#include "core/path/path_parts.h"
#include "core/property/tl_property_map.h"

namespace engine::migration {
namespace {

constexpr char16_t kAppDataMarker[] = u"[App Data Path]";

TLString WithBackslash(TLString folder) {
    folder.EnsureTrailingBackslash();
    return folder;
}

// "C:\a\.\b\..\c" is "C:\a\c": two spellings of one folder must compare equal, or a library could be
// copied into itself. ".." never climbs above the drive or share.
TLString WithoutDotSegments(const TLString& path) {
    size_t root = 3;  // "C:\"
    if (path.StartsWith(u"\\\\")) {
        const size_t server_end = path.Find(u'\\', 2);
        const size_t share_end = server_end == TLString::npos ? TLString::npos : path.Find(u'\\', server_end + 1);
        root = share_end == TLString::npos ? path.length() : share_end + 1;
    }
    if (root > path.length()) root = path.length();
    TLString result = path.Left(root);
    std::vector<TLString> parts;
    size_t start = root;
    while (start < path.length()) {
        size_t end = path.Find(u'\\', start);
        if (end == TLString::npos) end = path.length();
        const TLString part = path.Mid(start, end - start);
        if (part == u"..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != u".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    for (const TLString& part : parts) result += part + u"\\";
    return result;
}

}  // namespace

TLString VersionName(int version) { return TLString::Format(u"%s %d", TLString(tools::kProductName), version); }

TLString ProductKeyPath(int version) { return u"Software\\C. Orvane\\" + VersionName(version); }

MigrationPlan PlanMigration(const MigrationFacts& facts) {
    MigrationPlan plan;
    plan.load_default_library = !facts.existing_installation_found || facts.portable;
    plan.upgrade = !facts.existing_installation_found && !facts.no_upgrade && !facts.portable &&
                   facts.product_name == VersionName(kThisVersion);
    // The uninstaller leaves the person's data behind: a reinstall must not bury it under the default
    // library or an older version's.
    if (facts.own_library_found && (plan.load_default_library || plan.upgrade)) {
        plan.load_default_library = false;
        plan.upgrade = false;
        plan.own_library_kept = true;
    }
    return plan;
}

TLString VersionDataFolder(const TLString& data_folder, int version) {
    TLString folder = data_folder;
    folder.Replace(VersionName(kThisVersion).view(), VersionName(version).view());
    return folder;
}

TLString ResolveDataFolder(const TLString& setting, const TLString& data_folder) {
    TLString path = setting;
    path.Trim();
    const size_t marker = path.FindNoCase(kAppDataMarker);
    if (marker != TLString::npos) {
        size_t end = marker + std::size(kAppDataMarker) - 1;
        // "[App Data Path]\Library" and "[App Data Path]Library" both mean the folder's "Library".
        while (end < path.length() && path[end] == u'\\') ++end;
        path = path.Left(marker) + WithBackslash(data_folder) + path.Mid(end);
    }
    if (!tlpath::HasDriveOrServer(path) || path.StartsWith(u"\\\\?\\")) return TLString();
    return WithoutDotSegments(WithBackslash(path));
}

bool FoldersOverlap(const TLString& first, const TLString& second) {
    const TLString a = WithBackslash(first);
    const TLString b = WithBackslash(second);
    return a.StartsWithNoCase(b.view()) || b.StartsWithNoCase(a.view());
}

TLString LibraryToCopy(const TLString& library_setting, const TLString& version_data_folder,
                       const TLString& target_library) {
    TLPropertyMap library;
    if (!library.FromXML(library_setting, u"XMLPH", 1.0)) return TLString();
    const TLString folder = ResolveDataFolder(library.GetString(u"LibraryPath"), version_data_folder);
    if (folder.empty() || FoldersOverlap(folder, target_library)) return TLString();
    return folder;
}

FolderCopy CoverArtToCopy(const TLString& old_setting, const TLString& version_data_folder, const TLString& new_setting,
                          const TLString& data_folder) {
    const auto folder = [](const TLString& setting, const TLString& data) {
        return setting.empty() ? WithBackslash(data) + u"Cover Art\\" : ResolveDataFolder(setting, data);
    };
    FolderCopy copy{folder(old_setting, version_data_folder), folder(new_setting, data_folder)};
    if (copy.from.empty() || copy.to.empty() || FoldersOverlap(copy.from, copy.to)) return {};
    return copy;
}

}  // namespace engine::migration
