#include "engine/copy/folder_copy.h"

#include "core/windows/tl_file_system.h"
#include "engine/copy/copy_rules.h"
#include "engine/copy/source_tree.h"

namespace engine {

void CopyFolder(const TLString& source, const TLString& destination, CopyMode mode, IInstallProgress& progress,
                CFileCopier& copier, TLStringArray* register_list) {
    const SourceTree tree = ListSourceTree(source);
    // Each folder is made once, not once for every file in it.
    if (!tree.files.empty()) tlwin::TLFileSystem::MakeDirectoryTree(destination);
    for (const TLString& folder : tree.folders) tlwin::TLFileSystem::MakeDirectoryTree(destination + folder);
    progress.SetRange(100);
    uint64_t done = 0;
    // Setting the position dispatches the window's messages, so every file after the first has them
    // dispatched right before it too.
    progress.DispatchMessages();
    for (const SourceFile& file : tree.files) {
        copier.CopyIntoFolder(source + file.relative, destination + file.relative, mode, register_list,
                              file.special_attributes);
        done += file.size;
        progress.SetPosition(PercentDone(done, tree.total_bytes));
    }
    if (tree.files.empty()) progress.SetPosition(PercentDone(0, 0));
}

}  // namespace engine
