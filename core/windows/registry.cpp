#include "core/windows/registry.h"

#include <string>
#include <utility>

#include "core/windows/fault_seam.h"

namespace tlwin {
namespace {

// Windows reads a null name as the default value; an empty string names it too, but not everywhere.
const wchar_t* ValueName(const TLString& name) { return name.empty() ? nullptr : name.wc(); }

LONG PlantedRegistryError() { return static_cast<LONG>(PlantedError(FaultCall::kRegistryWrite)); }

}  // namespace

REGSAM ViewAccess(RegistryView view) {
    switch (view) {
        case RegistryView::k64:
            return KEY_WOW64_64KEY;
        case RegistryView::k32:
            return KEY_WOW64_32KEY;
        case RegistryView::kNative:
            break;
    }
    return 0;
}

RegistryKey::~RegistryKey() {
    if (key_) RegCloseKey(key_);
}

RegistryKey::RegistryKey(RegistryKey&& other) noexcept
    : key_(std::exchange(other.key_, nullptr)), error_(other.error_) {}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
    if (this != &other) {
        if (key_) RegCloseKey(key_);
        key_ = std::exchange(other.key_, nullptr);
        error_ = other.error_;
    }
    return *this;
}

RegistryKey RegistryKey::Open(HKEY root, const TLString& path, REGSAM access, RegistryView view) {
    HKEY key = nullptr;
    const LONG result = RegOpenKeyExW(root, path.wc(), 0, access | ViewAccess(view), &key);
    RegistryKey opened(result == ERROR_SUCCESS ? key : nullptr);
    opened.error_ = result;
    return opened;
}

RegistryKey RegistryKey::Create(HKEY root, const TLString& path, REGSAM access, RegistryView view) {
    HKEY key = nullptr;
    LONG result = PlantedRegistryError();
    if (result == ERROR_SUCCESS)
        result = RegCreateKeyExW(root, path.wc(), 0, nullptr, 0, access | ViewAccess(view), nullptr, &key, nullptr);
    RegistryKey created(result == ERROR_SUCCESS ? key : nullptr);
    created.error_ = result;
    return created;
}

bool RegistryKey::Succeeded(LONG result) const {
    if (result != ERROR_SUCCESS) error_ = result;
    return result == ERROR_SUCCESS;
}

LONG RegistryKey::QueryValue(const TLString& name, DWORD* type, void* data, DWORD* size) const {
    if (!key_) return ERROR_INVALID_HANDLE;
    return RegQueryValueExW(key_, ValueName(name), nullptr, type, static_cast<BYTE*>(data), size);
}

bool RegistryKey::ReadString(const TLString& name, TLString* out) const {
    DWORD type = 0;
    DWORD size = 0;
    std::u16string data(128, u'\0');
    LONG result;
    // The value may grow between the two calls; ask again until it fits.
    do {
        size = static_cast<DWORD>(data.size() * sizeof(char16_t));
        result = QueryValue(name, &type, data.data(), &size);
        if (result == ERROR_MORE_DATA) data.resize(size / sizeof(char16_t) + 1);
    } while (result == ERROR_MORE_DATA);
    if (!Succeeded(result)) return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return Succeeded(ERROR_UNSUPPORTED_TYPE);
    size_t length = size / sizeof(char16_t);
    while (length && data[length - 1] == u'\0') --length;
    *out = TLString(std::u16string_view(data.data(), length));
    return true;
}

bool RegistryKey::ReadDword(const TLString& name, DWORD* out) const {
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (!Succeeded(QueryValue(name, &type, &value, &size))) return false;
    if (type != REG_DWORD || size != sizeof value) return Succeeded(ERROR_UNSUPPORTED_TYPE);
    *out = value;
    return true;
}

bool RegistryKey::ReadQword(const TLString& name, uint64_t* out) const {
    DWORD type = 0;
    uint64_t value = 0;
    DWORD size = sizeof value;
    if (!Succeeded(QueryValue(name, &type, &value, &size))) return false;
    if (type != REG_QWORD || size != sizeof value) return Succeeded(ERROR_UNSUPPORTED_TYPE);
    *out = value;
    return true;
}

bool RegistryKey::WriteString(const TLString& name, const TLString& value, DWORD type) {
    if (type != REG_SZ && type != REG_EXPAND_SZ) return Succeeded(ERROR_INVALID_PARAMETER);
    LONG result = PlantedRegistryError();
    if (result == ERROR_SUCCESS)
        result = RegSetValueExW(key_, ValueName(name), 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                                static_cast<DWORD>((value.length() + 1) * sizeof(char16_t)));
    return Succeeded(result);
}

bool RegistryKey::WriteDword(const TLString& name, DWORD value) {
    LONG result = PlantedRegistryError();
    if (result == ERROR_SUCCESS)
        result =
            RegSetValueExW(key_, ValueName(name), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    return Succeeded(result);
}

bool RegistryKey::WriteQword(const TLString& name, uint64_t value) {
    LONG result = PlantedRegistryError();
    if (result == ERROR_SUCCESS)
        result =
            RegSetValueExW(key_, ValueName(name), 0, REG_QWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    return Succeeded(result);
}

bool RegistryKey::DeleteValue(const TLString& name) {
    LONG result = PlantedRegistryError();
    if (result == ERROR_SUCCESS) result = RegDeleteValueW(key_, ValueName(name));
    return Succeeded(result);
}

TLStringArray RegistryKey::SubkeyNames() const {
    TLStringArray names;
    if (!key_) return names;
    // Key names are at most 255 units; a longer buffer is asked for only if that ever changes.
    std::u16string name(256, u'\0');
    for (DWORD index = 0;;) {
        DWORD length = static_cast<DWORD>(name.size());
        const LONG result = RegEnumKeyExW(key_, index, reinterpret_cast<wchar_t*>(name.data()), &length, nullptr,
                                          nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA) {
            name.resize(name.size() * 2);
            continue;
        }
        if (result != ERROR_SUCCESS) break;
        names.Add(TLString(std::u16string_view(name.data(), length)));
        ++index;
    }
    return names;
}

bool DeleteKeyTree(HKEY root, const TLString& path, RegistryView view) {
    LONG result = PlantedRegistryError();
    if (result != ERROR_SUCCESS) return false;
    // RegDeleteTreeW has no view of its own: open the key in the view, empty it, then remove it.
    RegistryKey key = RegistryKey::Open(root, path, KEY_READ | KEY_WRITE | DELETE, view);
    if (!key.IsOpen()) return key.error() == ERROR_FILE_NOT_FOUND;
    result = RegDeleteTreeW(key.handle(), nullptr);
    if (result != ERROR_SUCCESS) return false;
    key = RegistryKey();
    result = RegDeleteKeyExW(root, path.wc(), ViewAccess(view), 0);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

}  // namespace tlwin
