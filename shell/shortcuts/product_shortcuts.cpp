#include "shell/shortcuts/product_shortcuts.h"

#include "core/tools/tools.h"
#include "core/windows/tl_file_system.h"
#include "shell/shortcuts/shell_link.h"

namespace shell {
namespace {

void CreateIfInstalled(const ShortcutSpec& shortcut, tlwin::IChangeNotes& notes) {
    if (!tlwin::TLFileSystem::FileExists(shortcut.target)) return;
    if (tlwin::TLFileSystem::FileExists(shortcut.link))
        notes.NoteReplacedFile(shortcut.link, TLString());
    else
        notes.NoteCreatedFile(shortcut.link);
    CreateShortcut(shortcut);
}

}  // namespace

bool CreateStartMenuShortcuts(const ShortcutProduct& product, const TLString& programs_folder,
                              const TLString& folder_name, tlwin::IChangeNotes& notes) {
    if (programs_folder.empty() || !IsSafeStartMenuFolderName(folder_name)) {
        tools::LogFormat(u"shell::CreateStartMenuShortcuts",
                         u"\"%s\" is no Start menu folder of its own: no Start menu shortcuts are made", folder_name);
        return false;
    }
    TLString folder = programs_folder;
    folder.EnsureTrailingBackslash();
    folder += folder_name + u"\\";
    tlwin::TLFileSystem::DeleteDirectoryTree(folder);
    tlwin::MakeNotedFolders(notes, folder);
    for (const ShortcutSpec& shortcut : StartMenuShortcuts(product, folder)) CreateIfInstalled(shortcut, notes);
    return true;
}

void CreateProductShortcut(const ShortcutProduct& product, const TLString& folder, tlwin::IChangeNotes& notes) {
    if (folder.empty()) return;
    TLString with_backslash = folder;
    with_backslash.EnsureTrailingBackslash();
    tlwin::MakeNotedFolders(notes, with_backslash);
    CreateIfInstalled(ProductShortcut(product, with_backslash), notes);
}

}  // namespace shell
