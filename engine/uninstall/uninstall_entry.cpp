#include "engine/uninstall/uninstall_entry.h"

#include "core/tools/tools.h"
#include "core/windows/registry.h"

namespace engine {

void WriteUninstallEntry(const TLString& key_name, const UninstallFacts& facts) {
    const TLString path = kUninstallRootKey + key_name;
    tlwin::RegistryKey key = tlwin::RegistryKey::Create(HKEY_LOCAL_MACHINE, path, 0x2001F);
    if (!key.IsOpen()) {
        tools::Log(u"WriteUninstallEntry",
                   TLString::Format(u"The uninstall entry cannot be written (error %d opening %s): the product is "
                                    u"not listed among the installed programs",
                                    static_cast<int>(key.error()), path),
                   tltools::ILogger::kError);
        return;
    }
    for (const NamedValue& value : UninstallValues(facts))
        if (!key.WriteString(value.name, value.data))
            tools::Log(u"WriteUninstallEntry",
                       TLString::Format(u"The uninstall entry's value \"%s\" cannot be written (error %d): %s",
                                        value.name, static_cast<int>(key.error()), path),
                       tltools::ILogger::kError);
}

}  // namespace engine
