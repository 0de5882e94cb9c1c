#include "product/uninstall/uninstall_plan.h"

#include <array>

#include "engine/copy/file_kinds.h"

namespace uninstall {
namespace {

// Backups are kept as strings only.
constexpr uint32_t kStringType = 1;

using journal::EntryKind;

// A path the plan can reason about: a drive, backslashes only, no part that climbs or stays put.
bool IsPlainAbsolutePath(const TLString& path) {
    if (path.length() < 3 || path[1] != u':' || path[2] != u'\\') return false;
    if (path.Find(u'/') != TLString::npos) return false;
    size_t start = 3;
    while (start <= path.length()) {
        size_t end = path.Find(u'\\', start);
        if (end == TLString::npos) end = path.length();
        const std::u16string_view part = path.view().substr(start, end - start);
        if (part == u"." || part == u"..") return false;
        // Trailing dots and spaces vanish from Windows names: "..." would climb like "..".
        if (!part.empty() && (part.back() == u'.' || part.back() == u' ')) return false;
        start = end + 1;
    }
    return true;
}

TLString WithBackslash(const TLString& path) {
    TLString folder = path;
    return folder.EnsureTrailingBackslash();
}

// `path` lies below `folder` (which ends in a backslash); `at_or_below` also takes the folder itself.
bool IsBelow(const TLString& path, const TLString& folder, bool at_or_below) {
    if (folder.length() < 4) return false;  // never a whole drive
    const TLString as_folder = WithBackslash(path);
    if (!as_folder.StartsWithNoCase(folder)) return false;
    return at_or_below || as_folder.length() > folder.length();
}

// `path` is a file directly inside `folder`.
bool IsFileDirectlyIn(const TLString& path, const TLString& folder) {
    return IsBelow(path, folder, false) && path.Mid(folder.length()).Find(u'\\') == TLString::npos;
}

bool IsShortcutDirectlyIn(const TLString& path, const TLString& folder) {
    return IsFileDirectlyIn(path, folder) && path.EndsWithNoCase(u".lnk");
}

bool IsRegistryRoot(const TLString& root) { return root == u"HKLM" || root == u"HKCU"; }

Step LeaveAlone(const journal::Entry& entry, const char16_t* reason) { return {StepKind::kLeaveAlone, entry, reason}; }

bool IsSystemFile(const TLString& path, const ProductPlaces& places) {
    return IsFileDirectlyIn(path, places.system_folder) || IsFileDirectlyIn(path, places.system_wow64_folder) ||
           IsFileDirectlyIn(path, places.fonts_folder);
}

Step PlanFileStep(const journal::Entry& entry, const ProductPlaces& places) {
    if (!IsProductPath(entry.path, false, places)) return LeaveAlone(entry, u"outside the product's folders");
    const bool system_file = IsSystemFile(entry.path, places);
    // A system file that was there before the install belongs to Windows or another program as well.
    if (system_file && entry.kind == EntryKind::kReplacedFile)
        return LeaveAlone(entry, u"a system file that was there before the install");
    if (system_file && places.system_files_shared)
        return LeaveAlone(entry, u"a system file another installed product may need");
    return {entry.kind == EntryKind::kAnnouncedFont ? StepKind::kTakeBackFont : StepKind::kDeleteFile, entry, {}};
}

}  // namespace

bool IsProductPath(const TLString& path, bool is_folder, const ProductPlaces& places) {
    if (!IsPlainAbsolutePath(path)) return false;
    if (IsBelow(path, places.destination, true) || IsBelow(path, places.start_menu_folder, true)) return true;
    if (is_folder) return !places.destination.empty() && IsBelow(places.destination, WithBackslash(path), false);
    return IsSystemFile(path, places) || IsShortcutDirectlyIn(path, places.desktop_folder) || IsShortcutDirectlyIn(path, places.quick_launch_folder);
}

std::vector<Step> PlanUninstall(const std::vector<journal::Entry>& record, const ProductPlaces& places) {
    std::vector<Step> steps;
    steps.reserve(record.size());
    // What the libraries' self-registration wrote is in no record: each takes it back itself.
    for (auto it = record.rbegin(); it != record.rend(); ++it) {
        const bool file = it->kind == EntryKind::kCreatedFile || it->kind == EntryKind::kReplacedFile;
        if (file && engine::IsRegistrableFile(it->path) && PlanFileStep(*it, places).kind == StepKind::kDeleteFile)
            steps.push_back({StepKind::kUnregisterServer, *it, {}});
    }
    for (auto it = record.rbegin(); it != record.rend(); ++it) {
        const journal::Entry& entry = *it;
        switch (entry.kind) {
            case EntryKind::kCreatedFolder:
                steps.push_back(IsProductPath(entry.path, true, places)
                                    ? Step{StepKind::kRemoveFolder, entry, {}}
                                    : LeaveAlone(entry, u"outside the product's folders"));
                break;
            case EntryKind::kCreatedFile:
            case EntryKind::kReplacedFile:
            case EntryKind::kAnnouncedFont:
                steps.push_back(PlanFileStep(entry, places));
                break;
            case EntryKind::kCreatedKey:
                steps.push_back(IsRegistryRoot(entry.root) && !entry.path.empty()
                                    ? Step{StepKind::kDeleteKey, entry, {}}
                                    : LeaveAlone(entry, u"not below HKLM or HKCU"));
                break;
            case EntryKind::kRegistryValue:
                steps.push_back(IsRegistryRoot(entry.root) && !entry.path.empty()
                                    ? Step{StepKind::kRestoreValue, entry, {}}
                                    : LeaveAlone(entry, u"not below HKLM or HKCU"));
                break;
            case EntryKind::kMovedFileAside:
            case EntryKind::kMovedTreeAside:
                // Gone with the install's end; a record never lists them.
                break;
        }
    }
    return steps;
}

ValueUndo DecideValueUndo(const journal::Entry& entry, const journal::ValueState& now,
                          const journal::ValueState& backup) {
    if (entry.written && now != *entry.written)
        return now == entry.earlier ? ValueUndo::kAsBefore : ValueUndo::kChangedSince;
    if (backup.existed && backup.type == kStringType) return ValueUndo::kPutBackup;
    return now == entry.earlier ? ValueUndo::kAsBefore : ValueUndo::kPutBack;
}

std::vector<TLString> PluginSectionsToRemove(const PluginBookkeeping& plugin) {
    constexpr std::u16string_view kPlugins = u"Plugins\\";
    constexpr std::u16string_view kBookkeeping = u"Plugins\\Uninstall\\";
    // A section below "Plugins\" naming a record: "Kind\Name" at least, no part empty or climbing.
    const auto is_record = [&](const TLString& section) {
        if (!section.StartsWithNoCase(kPlugins) || section.StartsWithNoCase(kBookkeeping)) return false;
        if (section.Find(u'/') != TLString::npos) return false;
        size_t parts = 0;
        for (size_t start = kPlugins.size(); start <= section.length(); ++parts) {
            size_t end = section.Find(u'\\', start);
            if (end == TLString::npos) end = section.length();
            const std::u16string_view part = section.view().substr(start, end - start);
            if (part.empty() || part == u"." || part == u"..") return false;
            start = end + 1;
        }
        return parts >= 2;
    };
    std::vector<TLString> sections;
    size_t start = 0;
    while (start <= plugin.sections.length()) {
        size_t end = plugin.sections.Find(u'|', start);
        if (end == TLString::npos) end = plugin.sections.length();
        TLString section = plugin.sections.Mid(start, end - start);
        section.Trim();
        if (is_record(section)) sections.push_back(std::move(section));
        start = end + 1;
    }
    // Its own name is one section name, as the registration wrote it.
    if (!plugin.name.empty() && plugin.name.Find(u'\\') == TLString::npos && plugin.name != u"." && plugin.name != u"..")
        sections.push_back(TLString(kBookkeeping) + plugin.name);
    return sections;
}

}  // namespace uninstall
