#pragma once
// Puts the product's shortcuts in place: the Start menu folder rebuilt from nothing, and the single
// shortcuts on the desktop and in Quick Launch. A shortcut whose target is not installed is left out.
// Each folder and ".lnk" file made is told to `notes` first; a shortcut replaced is noted without a
// set-aside copy, and the earlier Start menu folder, the product's own, is not noted as it goes.

#include "core/windows/change_notes.h"
#include "shell/shortcuts/shortcut_plan.h"

namespace shell {

// Deletes "`programs_folder`\`folder_name`" and makes it again with the product's shortcuts. A name
// that would reach outside its own folder is refused (logged, nothing deleted or made): false.
bool CreateStartMenuShortcuts(const ShortcutProduct& product, const TLString& programs_folder,
                              const TLString& folder_name, tlwin::IChangeNotes& notes);

// The product's shortcut in `folder` (made when missing).
void CreateProductShortcut(const ShortcutProduct& product, const TLString& folder, tlwin::IChangeNotes& notes);

}  // namespace shell
