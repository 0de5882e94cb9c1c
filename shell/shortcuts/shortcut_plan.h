#pragma once
// The product's shortcuts as data: where each ".lnk" goes, what it starts and with which icon.

#include <functional>
#include <vector>

#include "core/string/tl_string.h"

namespace shell {

struct ShortcutSpec {
    TLString link;  // the ".lnk" file
    TLString target;
    TLString arguments;
    TLString icon;  // used with index 0

    friend bool operator==(const ShortcutSpec&, const ShortcutSpec&) = default;
};

struct ShortcutProduct {
    TLString destination_folder;  // with a trailing backslash
    TLString main_program;        // file name
    TLString product_name;
    // Translated fixed parts of the names.
    TLString media_server_name;  // "Media Server"
    TLString uninstall_prefix;   // "Uninstall "
    std::function<TLString(const TLString& name)> find_art;
};

// A Start menu folder name that stays inside the programs folder when joined to it: not empty, not
// "." or "..", and without a path separator. Anything else would have the rebuild delete other
// products' shortcuts or the whole programs folder.
bool IsSafeStartMenuFolderName(const TLString& name);

// The Start menu folder's shortcuts in their order; `folder` ends with a backslash.
std::vector<ShortcutSpec> StartMenuShortcuts(const ShortcutProduct& product, const TLString& folder);
// The product's one shortcut in a folder (the desktop, Quick Launch).
ShortcutSpec ProductShortcut(const ShortcutProduct& product, const TLString& folder);

}  // namespace shell
