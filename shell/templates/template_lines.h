#pragma once
// Registry template lines and what they ask for, decided without touching the registry.
//
// A line is either a root ("HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE"), which
// holds for the lines after it, or five fields separated by "|": key path, value name ("Default" is
// the unnamed value), data, type ("STRING", anything else is a decimal DWORD) and action ("DELETE",
// "CREATE", anything else modifies). Keys and data may hold placeholders, replaced in this order:
// [AUTOPLAYKEY] [INSTALLDIR] [SYSTEMDIR] [CURRENTDIR] [PRODUCTNAME] [PRODUCTWITHVERSION] [EXEPATH]
// [LAUNCHERPATH] [LAUNCHERNAME]; then "[CUSTOMART]name" (up to the next double quote) becomes the
// full path of that art file.

#include <cstdint>
#include <functional>
#include <vector>

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"

namespace shell {

struct TemplatePlaceholders {
    TLString install_folder;  // with a trailing backslash
    TLString system_folder;
    TLString current_folder;
    TLString product_name;
    TLString product_with_version;
    TLString exe_path;
    TLString launcher_path;
    TLString launcher_name;
};

// The full path of an art file, or the name unchanged when no resource folder holds it.
using ArtLookup = std::function<TLString(const TLString& name)>;

enum class RegistryRoot { kClassesRoot, kCurrentUser, kLocalMachine };
enum class TemplateAction { kModify, kCreate, kDelete };

// One value line, expanded.
struct TemplateValue {
    RegistryRoot root = RegistryRoot::kClassesRoot;
    TLString key;
    TLString name;  // empty: the key's unnamed value
    bool is_dword = false;
    TLString text;        // the data of a string
    uint32_t number = 0;  // the data of a DWORD; 0 when the data is no number
    TemplateAction action = TemplateAction::kModify;
    // Also written in the 64-bit registry: AutoPlay lines applied by a 32-bit process on 64-bit
    // Windows, since Explorer reads its handlers there.
    bool also_64bit_view = false;

    friend bool operator==(const TemplateValue&, const TemplateValue&) = default;
};

TLString ExpandTemplateLine(const TLString& line, const TemplatePlaceholders& placeholders, const ArtLookup& art);

// The values the lines write, in order; empty and malformed lines are passed over.
// `wow64_process`: the process is a 32-bit one on 64-bit Windows.
std::vector<TemplateValue> PlanTemplateLines(const TLStringArray& lines, const TemplatePlaceholders& placeholders,
                                             const ArtLookup& art, bool wow64_process);

}  // namespace shell
