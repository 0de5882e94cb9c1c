#pragma once
// The three registry roots the shell registration writes under, and who is told of each change it
// makes there. Tests point the roots at keys of their own, so that they never touch the machine's
// associations.

#include <windows.h>

#include "core/windows/change_notes.h"

namespace shell {

struct RegistryRoots {
    HKEY classes_root = HKEY_CLASSES_ROOT;
    HKEY current_user = HKEY_CURRENT_USER;
    HKEY local_machine = HKEY_LOCAL_MACHINE;
    // The install's journal during an install, the install record's notes afterwards.
    tlwin::IChangeNotes* notes = &tlwin::NoChangeNotes();
};

}  // namespace shell
