#include "engine/journal/registry_state.h"

#include "core/windows/registry.h"

namespace journal {

TLString RootWord(HKEY root) {
    if (root == HKEY_LOCAL_MACHINE) return u"HKLM";
    if (root == HKEY_CURRENT_USER) return u"HKCU";
    return TLString();
}

HKEY RootOfWord(const TLString& word) {
    if (word == u"HKLM") return HKEY_LOCAL_MACHINE;
    if (word == u"HKCU") return HKEY_CURRENT_USER;
    return nullptr;
}

bool KeyExists(HKEY root, const TLString& path) { return tlwin::RegistryKey::Open(root, path).IsOpen(); }

ValueState ReadValueState(HKEY root, const TLString& path, const TLString& name) {
    ValueState state;
    const tlwin::RegistryKey key = tlwin::RegistryKey::Open(root, path);
    if (!key.IsOpen()) return state;
    // The value may grow between the two calls; ask again until it fits.
    for (DWORD size = 256;;) {
        state.data.resize(size);
        DWORD type = 0;
        const LONG result = RegQueryValueExW(key.handle(), name.wc(), nullptr, &type, state.data.data(), &size);
        if (result == ERROR_MORE_DATA) continue;
        if (result != ERROR_SUCCESS) {
            state.data.clear();
            return state;
        }
        state.existed = true;
        state.type = type;
        state.data.resize(size);
        return state;
    }
}

bool RestoreValueState(HKEY root, const TLString& path, const TLString& name, const ValueState& state) {
    if (!state.existed) {
        tlwin::RegistryKey key = tlwin::RegistryKey::Open(root, path, KEY_SET_VALUE);
        if (!key.IsOpen()) return key.error() == ERROR_FILE_NOT_FOUND;
        return key.DeleteValue(name) || key.error() == ERROR_FILE_NOT_FOUND;
    }
    tlwin::RegistryKey key = tlwin::RegistryKey::Create(root, path, KEY_SET_VALUE);
    if (!key.IsOpen()) return false;
    return RegSetValueExW(key.handle(), name.wc(), 0, state.type, state.data.data(),
                          static_cast<DWORD>(state.data.size())) == ERROR_SUCCESS;
}

bool DeleteKeyWithoutSubkeys(HKEY root, const TLString& path) {
    const LONG result = RegDeleteKeyW(root, path.wc());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

}  // namespace journal
