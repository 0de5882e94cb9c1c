#pragma once
// Which shortcuts the shortcuts page proposes, and whether it offers a Quick Launch shortcut.

#include <cstdint>

namespace wizard_rules {

struct ShortcutChoices {
    bool start_menu = false;
    bool desktop = false;
    bool quick_launch = false;
    friend bool operator==(const ShortcutChoices&, const ShortcutChoices&) = default;
};

struct ShortcutFacts {
    bool this_version_installed = false;
    bool portable = false;
    bool express = false;
    // "Start Menu Version" as stored (-1 when never written) and the version being installed.
    int64_t stored_start_menu_version = -1;
    int64_t installing_version = 0;
};

// A new installation gets every shortcut; the same version again keeps what the person has. The Start
// menu folder is rebuilt unless it was made for this very version already.
ShortcutChoices ProposeShortcuts(const ShortcutFacts& facts);

// Quick Launch exists on Windows before Vista (and on codes outside the Windows family's range).
bool QuickLaunchOffered(uint32_t os_code);

}  // namespace wizard_rules
