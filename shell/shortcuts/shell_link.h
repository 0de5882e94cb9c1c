#pragma once
// Creates a shortcut file through the Windows shell-link object. The caller has initialised COM.

#include "shell/shortcuts/shortcut_plan.h"

namespace shell {

// Saves the shortcut, replacing a file of the same name; false when neither the wide nor the ANSI
// shell-link interface could make it. A missing target is not checked here.
bool CreateShortcut(const ShortcutSpec& shortcut);

}  // namespace shell
