#pragma once
// The values of the product's entry in Windows' list of installed programs, in the order written.

#include <vector>

#include "core/string/tl_string.h"

namespace engine {

inline constexpr char16_t kUninstallRootKey[] = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
inline constexpr char16_t kUninstallProgram[] = u"TLMediaUninstall.exe";

struct UninstallFacts {
    TLString display_name;  // the product's display name
    TLString web_address;
    TLString destination_folder;  // ends in a backslash
    TLString version;
    TLString icon_path;  // the product's "application.ico", as found in the destination folder
};

struct NamedValue {
    TLString name;
    TLString data;
};

// Every value is a string. The uninstall command stands in quotes, so that a folder with blanks in its
// name cannot start another program that lies on the way ("C:\Program.exe").
std::vector<NamedValue> UninstallValues(const UninstallFacts& facts);

}  // namespace engine
