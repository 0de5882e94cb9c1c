#include "shell/shortcuts/product_shortcuts.h"

#include "core/tools/tools.h"
#include "engine/filesystem/tl_file_system.h"
#include "shell/shortcuts/shell_link.h"

namespace shell {
namespace {

void CreateIfInstalled(const ShortcutSpec& shortcut) {
    if (TLFileSystem::FileExists(shortcut.target)) CreateShortcut(shortcut);
}

}  // namespace

bool CreateStartMenuShortcuts(const ShortcutProduct& product, const TLString& programs_folder,
                              const TLString& folder_name) {
    if (programs_folder.empty() || !IsSafeStartMenuFolderName(folder_name)) {
        tools::LogFormat(u"shell::CreateStartMenuShortcuts",
                         u"\"%s\" is no Start menu folder of its own: no Start menu shortcuts are made", folder_name);
        return false;
    }
    TLString folder = programs_folder;
    folder.EnsureTrailingBackslash();
    folder += folder_name + u"\\";
    TLFileSystem::DeleteDirectoryTree(folder);
    TLFileSystem::MakeDirectoryTree(folder);
    for (const ShortcutSpec& shortcut : StartMenuShortcuts(product, folder)) CreateIfInstalled(shortcut);
    return true;
}

void CreateProductShortcut(const ShortcutProduct& product, const TLString& folder) {
    if (folder.empty()) return;
    TLString with_backslash = folder;
    with_backslash.EnsureTrailingBackslash();
    TLFileSystem::MakeDirectoryTree(with_backslash);
    CreateIfInstalled(ProductShortcut(product, with_backslash));
}

}  // namespace shell
