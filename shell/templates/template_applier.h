#pragma once
// Writes registry template lines (template_lines.h) into the registry.

#include <windows.h>

#include "shell/templates/template_lines.h"

namespace shell {

// The keys the three root lines stand for; tests point them at keys of their own.
struct RegistryRoots {
    HKEY classes_root = HKEY_CLASSES_ROOT;
    HKEY current_user = HKEY_CURRENT_USER;
    HKEY local_machine = HKEY_LOCAL_MACHINE;
};

// Applies the lines in order. A key that cannot be opened passes over its line; nothing is reported.
void ApplyTemplateLines(const TLStringArray& lines, const TemplatePlaceholders& placeholders, const ArtLookup& art,
                        const RegistryRoots& roots = {});

// Whether this is a 32-bit process on 64-bit Windows.
bool IsWow64Process();

}  // namespace shell
