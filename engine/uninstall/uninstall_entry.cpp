#include "engine/uninstall/uninstall_entry.h"

#include "core/tools/tools.h"
#include "core/windows/registry.h"

namespace engine {

void WriteUninstallEntry(const TLString& key_name, const UninstallFacts& facts, journal::CJournal* journal) {
    const TLString path = kUninstallRootKey + key_name;
    const std::vector<NamedValue> values = UninstallValues(facts);
    if (journal)
        for (const NamedValue& value : values) journal->NoteRegistryValue(HKEY_LOCAL_MACHINE, path, value.name);
    tlwin::RegistryKey key = tlwin::RegistryKey::Create(HKEY_LOCAL_MACHINE, path, 0x2001F);
    if (!key.IsOpen()) {
        tools::LogFormat(u"WriteUninstallEntry", u"Error %d opening %s", static_cast<int>(key.error()), path);
        return;
    }
    for (const NamedValue& value : values) key.WriteString(value.name, value.data);
}

}  // namespace engine
