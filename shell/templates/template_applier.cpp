#include "shell/templates/template_applier.h"

#include "core/tools/scoped_trace.h"
#include "shell/registry/registry_changes.h"

namespace shell {
namespace {

HKEY RootKey(RegistryRoot root, const RegistryRoots& roots) {
    switch (root) {
        case RegistryRoot::kCurrentUser:
            return roots.current_user;
        case RegistryRoot::kLocalMachine:
            return roots.local_machine;
        case RegistryRoot::kClassesRoot:
            break;
    }
    return roots.classes_root;
}

// A "CREATE" line leaves a value that is there alone: a string that is not empty, or any DWORD.
bool AlreadySet(HKEY root, const TemplateValue& value, tlwin::RegistryView view) {
    const tlwin::RegistryKey key = tlwin::RegistryKey::Open(root, value.key, KEY_READ, view);
    if (value.is_dword) {
        DWORD number = 0;
        return key.ReadDword(value.name, &number);
    }
    TLString text;
    return key.ReadString(value.name, &text) && !text.empty();
}

void Apply(tlwin::IChangeNotes& notes, HKEY root, const TemplateValue& value, tlwin::RegistryView view) {
    if (value.action == TemplateAction::kDelete) {
        DeleteRegistryValue(notes, root, value.key, value.name, view);
        return;
    }
    if (value.action == TemplateAction::kCreate && AlreadySet(root, value, view)) return;
    if (value.is_dword)
        WriteRegistryDword(notes, root, value.key, value.name, value.number, view);
    else
        WriteRegistryString(notes, root, value.key, value.name, value.text, view);
}

}  // namespace

bool IsWow64Process() {
    BOOL wow64 = FALSE;
    return ::IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

void ApplyTemplateLines(const TLStringArray& lines, const TemplatePlaceholders& placeholders, const ArtLookup& art,
                        const RegistryRoots& roots) {
    TLScopedTrace trace(u"shell::ApplyTemplateLines");
    for (const TemplateValue& value : PlanTemplateLines(lines, placeholders, art, IsWow64Process())) {
        const HKEY root = RootKey(value.root, roots);
        Apply(*roots.notes, root, value, tlwin::RegistryView::kNative);
        if (value.also_64bit_view) Apply(*roots.notes, root, value, tlwin::RegistryView::k64);
    }
}

}  // namespace shell
