#pragma once
// Writes registry template lines (template_lines.h) into the registry.

#include <windows.h>

#include "shell/registry/registry_roots.h"
#include "shell/templates/template_lines.h"

namespace shell {

// Applies the lines in order. A key that cannot be opened passes over its line; nothing is reported.
void ApplyTemplateLines(const TLStringArray& lines, const TemplatePlaceholders& placeholders, const ArtLookup& art,
                        const RegistryRoots& roots = {});

// Whether this is a 32-bit process on 64-bit Windows.
bool IsWow64Process();

}  // namespace shell
