#include "core/windows/registry.h"

#include <algorithm>
#include <string>
#include <utility>

#include "core/windows/fault_seam.h"

namespace tlwin {
namespace {

// Windows reads a null name as the default value; an empty string names it too, but not everywhere.
const wchar_t* ValueName(const TLString& name) { return name.empty() ? nullptr : name.wc(); }

std::u16string_view Units(const std::vector<uint8_t>& bytes) {
    return {reinterpret_cast<const char16_t*>(bytes.data()), bytes.size() / sizeof(char16_t)};
}

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

bool RegistryKey::ReadValue(const TLString& name, RegistryValue* out) const {
    DWORD type = 0;
    std::vector<uint8_t> data(256);
    LONG result;
    // The value may grow between two calls; ask again until it fits.
    for (;;) {
        DWORD size = static_cast<DWORD>(data.size());
        result = QueryValue(name, &type, data.data(), &size);
        if (result == ERROR_MORE_DATA) {
            data.resize(size > data.size() ? size : data.size() * 2);
            continue;
        }
        if (result == ERROR_SUCCESS) data.resize(size);
        break;
    }
    if (!Succeeded(result)) return false;
    out->type = type;
    out->data = std::move(data);
    return true;
}

bool RegistryKey::ReadString(const TLString& name, TLString* out) const {
    RegistryValue value;
    if (!ReadValue(name, &value)) return false;
    if (value.type != REG_SZ && value.type != REG_EXPAND_SZ) return Succeeded(ERROR_UNSUPPORTED_TYPE);
    const std::u16string_view text = Units(value.data);
    size_t length = text.size();
    while (length && text[length - 1] == u'\0') --length;
    *out = TLString(text.substr(0, length));
    return true;
}

bool RegistryKey::ReadBinary(const TLString& name, std::vector<uint8_t>* out) const {
    RegistryValue value;
    if (!ReadValue(name, &value)) return false;
    if (value.type != REG_BINARY) return Succeeded(ERROR_UNSUPPORTED_TYPE);
    *out = std::move(value.data);
    return true;
}

bool RegistryKey::ReadMultiString(const TLString& name, TLStringArray* out) const {
    RegistryValue value;
    if (!ReadValue(name, &value)) return false;
    if (value.type != REG_MULTI_SZ) return Succeeded(ERROR_UNSUPPORTED_TYPE);
    // Strings end in a zero and the list in an empty string; a list cut short still gives what it has.
    TLStringArray strings;
    std::u16string_view rest = Units(value.data);
    while (!rest.empty() && rest.front() != u'\0') {
        const size_t end = std::min(rest.find(u'\0'), rest.size());
        strings.Add(TLString(rest.substr(0, end)));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    *out = std::move(strings);
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

bool RegistryKey::SetValue(const TLString& name, DWORD type, const void* data, size_t size) {
    if (size > MAXDWORD) return Succeeded(ERROR_INVALID_PARAMETER);
    LONG result = PlantedRegistryError();
    if (result == ERROR_SUCCESS)
        result =
            RegSetValueExW(key_, ValueName(name), 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size));
    return Succeeded(result);
}

bool RegistryKey::WriteValue(const TLString& name, const RegistryValue& value) {
    return SetValue(name, value.type, value.data.data(), value.data.size());
}

bool RegistryKey::WriteBinary(const TLString& name, const std::vector<uint8_t>& bytes) {
    return SetValue(name, REG_BINARY, bytes.data(), bytes.size());
}

bool RegistryKey::WriteMultiString(const TLString& name, const TLStringArray& strings) {
    std::u16string units;
    for (const TLString& text : strings) {
        if (text.empty() || text.Find(u'\0') != TLString::npos) return Succeeded(ERROR_INVALID_PARAMETER);
        units.append(text.view());
        units.push_back(u'\0');
    }
    units.push_back(u'\0');
    return SetValue(name, REG_MULTI_SZ, units.data(), units.size() * sizeof(char16_t));
}

bool RegistryKey::WriteString(const TLString& name, const TLString& value, DWORD type) {
    if (type != REG_SZ && type != REG_EXPAND_SZ) return Succeeded(ERROR_INVALID_PARAMETER);
    return SetValue(name, type, value.c_str(), (value.length() + 1) * sizeof(char16_t));
}

bool RegistryKey::WriteDword(const TLString& name, DWORD value) {
    return SetValue(name, REG_DWORD, &value, sizeof value);
}

bool RegistryKey::WriteQword(const TLString& name, uint64_t value) {
    return SetValue(name, REG_QWORD, &value, sizeof value);
}

bool RegistryKey::DeleteValue(const TLString& name) {
    LONG result = PlantedRegistryError();
    if (result == ERROR_SUCCESS) result = RegDeleteValueW(key_, ValueName(name));
    return Succeeded(result);
}

namespace {

// Lists the names one enumeration call gives by index (RegEnumKeyExW or RegEnumValueW), growing the
// buffer when a name does not fit; names never exceed 16383 units, so the growth ends.
template <typename Enumerate>
TLStringArray EnumeratedNames(HKEY key, Enumerate enumerate) {
    TLStringArray names;
    if (!key) return names;
    std::u16string name(256, u'\0');
    for (DWORD index = 0;;) {
        DWORD length = static_cast<DWORD>(name.size());
        const LONG result = enumerate(key, index, reinterpret_cast<wchar_t*>(name.data()), &length);
        if (result == ERROR_MORE_DATA && name.size() < 65536) {
            name.resize(name.size() * 2);
            continue;
        }
        if (result != ERROR_SUCCESS) break;
        names.Add(TLString(std::u16string_view(name.data(), length)));
        ++index;
    }
    return names;
}

}  // namespace

TLStringArray RegistryKey::SubkeyNames() const {
    return EnumeratedNames(key_, [](HKEY key, DWORD index, wchar_t* name, DWORD* length) {
        return RegEnumKeyExW(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

bool RegistryKey::IsSubkeyLink(const TLString& name) const {
    HKEY link = nullptr;
    if (!key_ || RegOpenKeyExW(key_, name.wc(), REG_OPTION_OPEN_LINK, KEY_QUERY_VALUE, &link) != ERROR_SUCCESS)
        return false;
    DWORD type = REG_NONE;
    const LONG result = RegQueryValueExW(link, L"SymbolicLinkValue", nullptr, &type, nullptr, nullptr);
    RegCloseKey(link);
    return result == ERROR_SUCCESS && type == REG_LINK;
}

TLStringArray RegistryKey::ValueNames() const {
    return EnumeratedNames(key_, [](HKEY key, DWORD index, wchar_t* name, DWORD* length) {
        return RegEnumValueW(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

namespace {

// Windows nests keys at most 512 levels deep.
constexpr int kMaxKeyDepth = 512;

bool Merge(HKEY root, const TLString& from, const TLString& to, const KeyTreeMerge& how, int depth) {
    const RegistryKey source = RegistryKey::Open(root, from);
    if (!source.IsOpen()) return true;
    const RegistryKey target = RegistryKey::Open(root, to);
    bool complete = true;
    for (const TLString& name : source.ValueNames()) {
        RegistryValue value;
        if (target.IsOpen() && target.ReadValue(name, &value)) continue;
        if (!source.ReadValue(name, &value)) continue;
        complete &= how.write ? how.write(to, name, value)
                              : RegistryKey::Create(root, to, KEY_SET_VALUE).WriteValue(name, value);
    }
    if (depth + 1 >= kMaxKeyDepth) return complete;
    for (const TLString& name : source.SubkeyNames()) {
        // A link may point back up its own tree.
        if ((how.leave_out && how.leave_out(name)) || source.IsSubkeyLink(name)) continue;
        complete &= Merge(root, from + u"\\" + name, to + u"\\" + name, how, depth + 1);
    }
    return complete;
}

}  // namespace

bool MergeKeyTree(HKEY root, const TLString& from, const TLString& to, const KeyTreeMerge& how) {
    return Merge(root, from, to, how, 0);
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

bool DeleteKeyWithoutSubkeys(HKEY root, const TLString& path) {
    LONG result = PlantedRegistryError();
    if (result == ERROR_SUCCESS) result = RegDeleteKeyW(root, path.wc());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

}  // namespace tlwin
