#include "shell/media_client/media_client_registration.h"

#include <mutex>

#include "core/tools/scoped_trace.h"
#include "core/tools/tools.h"
#include "shell/registry/registry_changes.h"

namespace shell {

void RegisterMediaClient(const MediaClient& client, const RegistryRoots& roots) {
    static std::mutex registration_lock;
    std::lock_guard guard(registration_lock);
    TLScopedTrace trace(u"shell::RegisterMediaClient");
    if (client.name.empty()) {
        tools::Log(u"shell::RegisterMediaClient", u"The product has no media-client name: not registered as one");
        return;
    }
    const HKEY root = roots.local_machine;
    const TLString key = u"Software\\Clients\\Media\\" + client.name;
    const TLString capabilities = key + u"\\Capabilities";
    WriteRegistryString(*roots.notes, root, key, TLString(), client.name);
    WriteRegistryString(*roots.notes, root, key + u"\\shell\\open\\command", TLString(), client.exe_path);
    WriteRegistryString(*roots.notes, root, key + u"\\DefaultIcon", TLString(), client.icon_path);
    WriteRegistryString(*roots.notes, root, capabilities, u"ApplicationName", client.name);
    WriteRegistryString(*roots.notes, root, capabilities, u"ApplicationDescription", client.name);
    const TLString file_associations = capabilities + u"\\FileAssociations";
    DeleteRegistryKey(*roots.notes, root, file_associations);
    CreateRegistryKey(*roots.notes, root, file_associations);
    for (const auto& [extension, prog_id] : client.file_types)
        WriteRegistryString(*roots.notes, root, file_associations, extension, prog_id);
    CreateRegistryKey(*roots.notes, root, capabilities + u"\\URLAssociations");
    CreateRegistryKey(*roots.notes, root, capabilities + u"\\MimeAssociations");
    WriteRegistryString(*roots.notes, root, u"Software\\RegisteredApplications", client.name, capabilities);
}

}  // namespace shell
