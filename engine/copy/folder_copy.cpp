#include "engine/copy/folder_copy.h"

#include <windows.h>

#include <set>

#include "core/path/path_parts.h"
#include "core/windows/file_attributes.h"
#include "engine/copy/copy_plan.h"
#include "engine/copy/copy_rules.h"
#include "engine/copy/source_tree.h"
#include "engine/journal/file_changes.h"

namespace engine {
namespace {

// About one frame: longer than Windows' timer resolution, short enough that nobody sees a pause.
constexpr uint64_t kDispatchSliceMs = 16;

}  // namespace

bool CopyFolder(const TLString& source, const TLString& destination, CopyMode mode, IInstallProgress& progress,
                CFileCopier& copier, TLStringArray* register_list) {
    const SourceTree tree = ListSourceTree(source);
    // The folders this copy makes hold nothing yet: their files need no look for an earlier one. A
    // folder's parent comes before it, and below a new folder everything is new.
    std::set<TLString> new_folders;
    const auto is_new = [&](const TLString& folder) { return new_folders.count(folder) != 0; };
    if (!tree.files.empty() && !tlwin::FolderExists(destination)) new_folders.insert(TLString());
    for (const TLString& folder : tree.folders)
        if (is_new(tlpath::FolderOf(folder.Left(folder.length() - 1))) || !tlwin::FolderExists(destination + folder))
            new_folders.insert(folder);
    const std::vector<FileAction> plan = [&] {
        std::vector<FileFacts> facts;
        facts.reserve(tree.files.size());
        for (const SourceFile& file : tree.files) {
            FileFacts& fact = facts.emplace_back(copier.FactsOf(source + file.relative, destination + file.relative,
                                                                mode, is_new(tlpath::FolderOf(file.relative))));
            fact.relative = file.relative;
            fact.size = file.size;
            fact.special_attributes = file.special_attributes;
        }
        return PlanFolderCopy(source, destination, mode, register_list != nullptr, facts);
    }();

    // Each folder is made once, not once for every file in it.
    if (!tree.files.empty()) journal::MakeFolders(copier.journal(), destination);
    for (const TLString& folder : tree.folders) journal::MakeFolders(copier.journal(), destination + folder);
    progress.SetRange(100);
    uint64_t done = 0;
    // Setting the position dispatches the window's messages: whenever the bar moves, and otherwise
    // once a time slice, so that the window stays as lively as with a dispatch before every file
    // without the cost of one (each look for messages is a call into the wineserver under Wine).
    progress.DispatchMessages();
    int shown = 0;
    uint64_t dispatched = GetTickCount64();
    for (const FileAction& action : plan) {
        if (!copier.Apply(action, register_list)) return false;
        done += action.size;
        const int percent = PercentDone(done, tree.total_bytes);
        const uint64_t now = GetTickCount64();
        if (percent != shown || now - dispatched >= kDispatchSliceMs) {
            progress.SetPosition(percent);
            shown = percent;
            dispatched = now;
        }
    }
    if (plan.empty()) progress.SetPosition(PercentDone(0, 0));
    return true;
}

}  // namespace engine
