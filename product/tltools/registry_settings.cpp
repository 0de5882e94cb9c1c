#include "product/tltools/registry_settings.h"

#include <cstdint>
#include <string>

#include "core/xml/file_text.h"

namespace tltools_dll {

CRegistrySettings* CRegistrySettings::Open(HKEY root, const TLString& key_path) {
    HKEY key;
    if (RegCreateKeyExW(root, key_path.wc(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return nullptr;
    return new CRegistrySettings(key);
}

CRegistrySettings* CRegistrySettings::OpenSection(const TLString& section) {
    return Open(HKEY_CURRENT_USER, kProductSettingsKey + section);
}

CRegistrySettings::~CRegistrySettings() { RegCloseKey(key_); }

int64_t CRegistrySettings::GetInteger(const TLString& name, int64_t fallback) {
    DWORD type = 0;
    int64_t value = 0;
    DWORD size = sizeof value;
    const LONG result = RegQueryValueExW(key_, name.wc(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    if (result == ERROR_SUCCESS && type == REG_DWORD) return static_cast<int32_t>(static_cast<uint32_t>(value));
    if (result == ERROR_SUCCESS && type == REG_QWORD) return value;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return fallback;
    // A number kept as text (settings written by hand) counts too; other text does not.
    TLString text = GetString(name, TLString());
    text.Trim();
    const size_t digits = text.length() && (text[0] == u'-' || text[0] == u'+') ? 1 : 0;
    if (digits >= text.length() || text[digits] < u'0' || text[digits] > u'9') return fallback;
    return text.ToInt64();
}

bool CRegistrySettings::SetInteger(const TLString& name, int64_t value) {
    if (value >= INT32_MIN && value <= INT32_MAX) {
        const DWORD dword = static_cast<DWORD>(static_cast<int32_t>(value));
        return RegSetValueExW(key_, name.wc(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dword), sizeof dword) ==
               ERROR_SUCCESS;
    }
    return RegSetValueExW(key_, name.wc(), 0, REG_QWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
           ERROR_SUCCESS;
}

TLString CRegistrySettings::GetString(const TLString& name, const TLString& fallback) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key_, name.wc(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return fallback;
    std::u16string data(size / sizeof(char16_t) + 1, u'\0');
    if (RegQueryValueExW(key_, name.wc(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return fallback;
    return TLString(data.c_str());
}

bool CRegistrySettings::SetString(const TLString& name, const TLString& value) {
    return RegSetValueExW(key_, name.wc(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.length() + 1) * sizeof(char16_t))) == ERROR_SUCCESS;
}

bool CRegistrySettings::DeleteValue(const TLString& name) { return RegDeleteValueW(key_, name.wc()) == ERROR_SUCCESS; }

bool CSettingsImport::Import(const TLString& file) {
    TLString text;
    if (!tlxml::ReadTextFile(file, text)) return false;
    CRegistrySettings* section = nullptr;
    bool ok = true;
    size_t start = 0;
    while (start <= text.length()) {
        size_t end = text.Find(u'\n', start);
        if (end == TLString::npos) end = text.length();
        TLString line = text.Mid(start, end - start);
        line.Trim();
        start = end + 1;
        if (line.empty() || line[0] == u';') continue;
        if (line[0] == u'[' && line.Last() == u']') {
            if (section) section->Release();
            section = CRegistrySettings::OpenSection(line.Mid(1, line.length() - 2));
            ok = ok && section;
            continue;
        }
        const size_t equals = line.Find(u'=');
        if (!section || equals == TLString::npos) continue;
        const TLString name = line.Left(equals);
        const TLString value = line.Mid(equals + 1);
        ok = (value.StartsWithNoCase(u"dword:") ? section->SetInteger(name, value.Mid(6).ToInt64())
                                                : section->SetString(name, value)) &&
             ok;
    }
    if (section) section->Release();
    return ok;
}

}  // namespace tltools_dll
