#pragma once
// The installations record's values for one product, and the test whether the installed program is
// already current. Plain functions of what the installer found.

#include <cstdint>
#include <vector>

#include "core/string/tl_string.h"

namespace installation {

struct RecordFacts {
    TLString destination_folder;  // ends in a backslash
    TLString version_text;        // the main program's "%d.%d.%d.%d"; empty when it cannot be read
    uint32_t os_code = 0;
    TLString launcher_name;
    TLString uninstall_key;
    TLString existing_guid;  // what the record holds already; empty when nothing
    TLString new_guid;       // used only when there is no identifier yet
};

struct RecordValue {
    TLString name;
    TLString text;
    bool is_integer = false;
    uint32_t integer = 0;
    // A folder, stored as an expandable string (REG_EXPAND_SZ) like every folder the product keeps.
    bool is_folder = false;
};

// "Path", "Version", "OS Version", "Launcher Name", "Uninstall Key" and "GUID", in that order. The
// installation identifier is kept across installs.
std::vector<RecordValue> RecordValues(const RecordFacts& facts);

struct CurrentnessFacts {
    bool allow_downgrade = true;
    bool existing_installation_found = false;
    bool portable = false;
    uint64_t installed_version = 0;
    uint64_t new_version = 0;
};

// True when downgrades are not allowed, an installation was found and its main program is at least as
// new as the one to be installed. A portable install is never current: its folder is its own, so an
// installed copy elsewhere of the same version says nothing about it.
bool InstalledVersionNotOlder(const CurrentnessFacts& facts);

}  // namespace installation
