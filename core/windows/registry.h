#pragma once
// The registry as the installer uses it: keys that close themselves, string reads of any length,
// and the 32-bit and 64-bit views of the registry chosen in one place.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"

namespace tlwin {

// A value as the registry keeps it: its type and its bytes, whatever the type.
struct RegistryValue {
    DWORD type = REG_NONE;
    std::vector<uint8_t> data;

    bool operator==(const RegistryValue&) const = default;
};

// Which registry a key is opened in: the process's own, or the 64-bit or 32-bit one whatever the
// process is.
enum class RegistryView { kNative, k64, k32 };

// The access flag that selects the view (0 for the native one).
REGSAM ViewAccess(RegistryView view);

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey();
    RegistryKey(RegistryKey&& other) noexcept;
    RegistryKey& operator=(RegistryKey&& other) noexcept;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // An existing key; not open (see error()) when it cannot be opened with that access.
    static RegistryKey Open(HKEY root, const TLString& path, REGSAM access = KEY_READ,
                            RegistryView view = RegistryView::kNative);
    // The key, made with the keys above it when missing.
    static RegistryKey Create(HKEY root, const TLString& path, REGSAM access = KEY_READ | KEY_WRITE,
                              RegistryView view = RegistryView::kNative);

    bool IsOpen() const { return key_ != nullptr; }
    HKEY handle() const { return key_; }
    // The Windows error of the last operation that failed (ERROR_SUCCESS when none did).
    LONG error() const { return error_; }

    // An empty name means the key's default value. Strings are REG_SZ or REG_EXPAND_SZ (not expanded)
    // of any length; trailing zeros are dropped. False, with `out` untouched, for a missing value or
    // one of another type.
    bool ReadString(const TLString& name, TLString* out) const;
    bool ReadDword(const TLString& name, DWORD* out) const;
    bool ReadQword(const TLString& name, uint64_t* out) const;

    // Any value with its own type and bytes, however long.
    bool ReadValue(const TLString& name, RegistryValue* out) const;
    // REG_BINARY only.
    bool ReadBinary(const TLString& name, std::vector<uint8_t>* out) const;
    // REG_MULTI_SZ: the strings in order, the list's closing empty string left out.
    bool ReadMultiString(const TLString& name, TLStringArray* out) const;

    // Writes the bytes with the value's type, unchanged.
    bool WriteValue(const TLString& name, const RegistryValue& value);
    bool WriteBinary(const TLString& name, const std::vector<uint8_t>& bytes);
    // Strings may not be empty or hold zeros: REG_MULTI_SZ ends at the first empty string.
    bool WriteMultiString(const TLString& name, const TLStringArray& strings);
    // `type` is REG_SZ or REG_EXPAND_SZ.
    bool WriteString(const TLString& name, const TLString& value, DWORD type = REG_SZ);
    bool WriteDword(const TLString& name, DWORD value);
    bool WriteQword(const TLString& name, uint64_t value);
    // False for a value that is not there (error() is then ERROR_FILE_NOT_FOUND).
    bool DeleteValue(const TLString& name);

    // The names of the key's subkeys, in index order.
    TLStringArray SubkeyNames() const;
    // Whether the subkey is a registry link (opening it by name would open where it points).
    bool IsSubkeyLink(const TLString& name) const;
    // The names of the key's values, in index order (the default value, when set, as the empty name).
    TLStringArray ValueNames() const;

private:
    explicit RegistryKey(HKEY key) : key_(key) {}
    bool Succeeded(LONG result) const;
    LONG QueryValue(const TLString& name, DWORD* type, void* data, DWORD* size) const;
    bool SetValue(const TLString& name, DWORD type, const void* data, size_t size);

    HKEY key_ = nullptr;
    mutable LONG error_ = ERROR_SUCCESS;
};

// How MergeKeyTree goes: subkeys it leaves out (at every level) and how it writes a value; by default
// nothing is left out and the value is written as it is into the target key (made when missing).
struct KeyTreeMerge {
    std::function<bool(const TLString& subkey_name)> leave_out;
    std::function<bool(const TLString& target_path, const TLString& name, const RegistryValue& value)> write;
};

// Copies into `to` every value of `from` that `to` does not have, and the same for each subkey below;
// a value `to` has already stays as it is. Registry links below `from` are not followed and the copy
// stops at the registry's own depth limit, so no tree makes it recurse without end. A missing `from`
// copies nothing. False when a value could not be written.
bool MergeKeyTree(HKEY root, const TLString& from, const TLString& to, const KeyTreeMerge& how = {});

// Deletes the key with everything below it; a key that is not there counts as deleted.
bool DeleteKeyTree(HKEY root, const TLString& path, RegistryView view = RegistryView::kNative);
// Deletes the key, with its values, only when it holds no subkeys; a key that is not there counts as
// deleted.
bool DeleteKeyWithoutSubkeys(HKEY root, const TLString& path);

}  // namespace tlwin
