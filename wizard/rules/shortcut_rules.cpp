#include "wizard/rules/shortcut_rules.h"

namespace wizard_rules {

ShortcutChoices ProposeShortcuts(const ShortcutFacts& facts) {
    ShortcutChoices choices;
    const bool fresh = !facts.this_version_installed || facts.portable || facts.express;
    choices.start_menu = fresh && facts.stored_start_menu_version != facts.installing_version;
    choices.desktop = !facts.this_version_installed || facts.portable;
    choices.quick_launch = choices.desktop;
    return choices;
}

bool QuickLaunchOffered(uint32_t os_code) { return os_code < 1008 || os_code > 1999; }

}  // namespace wizard_rules
