#include "engine/uninstall/uninstall_entry.h"

#include <windows.h>

#include "core/tools/tools.h"

namespace engine {

void WriteUninstallEntry(const TLString& key_name, const UninstallFacts& facts) {
    HKEY key = nullptr;
    const TLString path = kUninstallRootKey + key_name;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.wc(), 0, nullptr, 0, 0x2001F, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        tools::LogFormat(u"WriteUninstallEntry", u"Cannot open %s", path);
        return;
    }
    for (const NamedValue& value : UninstallValues(facts))
        RegSetValueExW(key, value.name.wc(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.data.c_str()),
                       static_cast<DWORD>((value.data.length() + 1) * sizeof(char16_t)));
    RegCloseKey(key);
}

}  // namespace engine
