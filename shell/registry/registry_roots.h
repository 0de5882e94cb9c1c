#pragma once
// The three registry roots the shell registration writes under. Tests point them at keys of their
// own, so that they never touch the machine's associations.

#include <windows.h>

namespace shell {

struct RegistryRoots {
    HKEY classes_root = HKEY_CLASSES_ROOT;
    HKEY current_user = HKEY_CURRENT_USER;
    HKEY local_machine = HKEY_LOCAL_MACHINE;
};

}  // namespace shell
