#include "engine/journal/registry_state.h"

#include "core/windows/registry.h"

namespace journal {
namespace {

constexpr char16_t kClasses[] = u"Software\\Classes\\";

struct Place {
    HKEY root;
    TLString key;
};

bool KeyExists(HKEY root, const TLString& path) { return tlwin::RegistryKey::Open(root, path).IsOpen(); }

// Where a key below HKEY_CLASSES_ROOT lives, so that the note names a root the undo can open again.
Place Resolved(HKEY root, const TLString& key) {
    if (root != HKEY_CLASSES_ROOT) return {root, key};
    const TLString below = kClasses + key;
    return {KeyExists(HKEY_CURRENT_USER, below) ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE, below};
}

std::vector<Entry> MissingKeys(const Place& place) {
    std::vector<Entry> created;
    if (KeyExists(place.root, place.key)) return created;
    std::vector<TLString> missing{place.key};
    for (size_t slash; (slash = missing.back().ReverseFind(u'\\')) != TLString::npos;) {
        TLString parent = missing.back().Left(slash);
        if (KeyExists(place.root, parent)) break;
        missing.push_back(std::move(parent));
    }
    for (auto key = missing.rbegin(); key != missing.rend(); ++key)
        created.push_back(RegistryEntry(EntryKind::kCreatedKey, RootWord(place.root), *key));
    return created;
}

}  // namespace

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

ValueState ReadValueState(HKEY root, const TLString& path, const TLString& name) {
    ValueState state;
    tlwin::RegistryValue value;
    if (!tlwin::RegistryKey::Open(root, path).ReadValue(name, &value)) return state;
    state.existed = true;
    state.type = value.type;
    state.data = std::move(value.data);
    return state;
}

bool RestoreValueState(HKEY root, const TLString& path, const TLString& name, const ValueState& state) {
    if (!state.existed) {
        tlwin::RegistryKey key = tlwin::RegistryKey::Open(root, path, KEY_SET_VALUE);
        if (!key.IsOpen()) return key.error() == ERROR_FILE_NOT_FOUND;
        return key.DeleteValue(name) || key.error() == ERROR_FILE_NOT_FOUND;
    }
    tlwin::RegistryKey key = tlwin::RegistryKey::Create(root, path, KEY_SET_VALUE);
    return key.IsOpen() && key.WriteValue(name, {state.type, state.data});
}

std::vector<Entry> CreatedKeyEntries(HKEY root, const TLString& key) { return MissingKeys(Resolved(root, key)); }

std::vector<Entry> ValueEntries(HKEY root, const TLString& key, const TLString& name) {
    const Place place = Resolved(root, key);
    std::vector<Entry> entries = MissingKeys(place);
    entries.push_back(RegistryEntry(EntryKind::kRegistryValue, RootWord(place.root), place.key, name,
                                    ReadValueState(place.root, place.key, name)));
    return entries;
}

}  // namespace journal
