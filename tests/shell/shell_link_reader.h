#pragma once
// Reads a ".lnk" file back through the shell-link object, as Explorer would. COM must be initialised.

#include "shell/shortcuts/shortcut_plan.h"

namespace tltest {

// The shortcut's target, arguments and icon (its `link` is the file read); false when unreadable.
bool ReadShortcut(const TLString& link, shell::ShortcutSpec* shortcut, int* icon_index = nullptr);

}  // namespace tltest
