#pragma once
// Declares the product to Windows as a media client, with the file types it can open, so that it is
// listed among the default programs.

#include <utility>
#include <vector>

#include "core/string/tl_string_array.h"
#include "shell/registry/registry_roots.h"

namespace shell {

struct MediaClient {
    TLString name;  // the client's display name; also names its "RegisteredApplications" value
    TLString exe_path;
    TLString icon_path;
    // Extension and ProgID of each type the product opens.
    std::vector<std::pair<TLString, TLString>> file_types;
};

// Writes the client key and its capabilities under HKEY_LOCAL_MACHINE. The file-type list is written
// afresh each time, so types no longer handled disappear. A client without a name is not registered:
// its key would be "Software\Clients\Media" itself, the machine's choice of media client.
void RegisterMediaClient(const MediaClient& client, const RegistryRoots& roots = {});

}  // namespace shell
