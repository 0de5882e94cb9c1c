#include "engine/copy/folder_copy.h"

#include "engine/copy/copy_plan.h"
#include "engine/copy/copy_rules.h"
#include "engine/copy/source_tree.h"
#include "engine/journal/file_changes.h"

namespace engine {

bool CopyFolder(const TLString& source, const TLString& destination, CopyMode mode, IInstallProgress& progress,
                CFileCopier& copier, TLStringArray* register_list) {
    const SourceTree tree = ListSourceTree(source);
    const std::vector<FileAction> plan = [&] {
        std::vector<FileFacts> facts;
        facts.reserve(tree.files.size());
        for (const SourceFile& file : tree.files) {
            FileFacts& fact =
                facts.emplace_back(copier.FactsOf(source + file.relative, destination + file.relative, mode));
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
    // Setting the position dispatches the window's messages, so every file after the first has them
    // dispatched right before it too.
    progress.DispatchMessages();
    for (const FileAction& action : plan) {
        if (!copier.Apply(action, register_list)) return false;
        done += action.size;
        progress.SetPosition(PercentDone(done, tree.total_bytes));
    }
    if (plan.empty()) progress.SetPosition(PercentDone(0, 0));
    return true;
}

}  // namespace engine
