#include "product/tltools/registry_settings.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/tools/product_key.h"
#include "core/windows/folder_entries.h"
#include "core/xml/file_text.h"

namespace tltools_dll {

CRegistrySettings* CRegistrySettings::Open(HKEY root, const TLString& key_path) {
    tlwin::RegistryKey key = tlwin::RegistryKey::Create(root, key_path);
    return key.IsOpen() ? new CRegistrySettings(std::move(key)) : nullptr;
}

CRegistrySettings* CRegistrySettings::OpenSection(const TLString& section) {
    return Open(HKEY_CURRENT_USER, tools::ProductSettingsKey() + section);
}

bool CRegistrySettings::DeleteSubsection(const TLString& name) {
    return !name.empty() && tlwin::DeleteKeyTree(key_.handle(), name);
}

// Values and subkeys of the old section join the new one; a value the new section has already was set
// by the newer product and stays. The old section goes only when all of it arrived.
bool CRegistrySettings::MoveSection(const TLString& from, const TLString& to) {
    const TLString from_path = tools::ProductSettingsKey() + from;
    if (!tlwin::RegistryKey::Open(HKEY_CURRENT_USER, from_path, KEY_READ).IsOpen()) return true;
    return tlwin::RegistryKey::Create(HKEY_CURRENT_USER, tools::ProductSettingsKey() + to).IsOpen() &&
           tlwin::MergeKeyTree(HKEY_CURRENT_USER, from_path, tools::ProductSettingsKey() + to) &&
           tlwin::DeleteKeyTree(HKEY_CURRENT_USER, from_path);
}

int64_t CRegistrySettings::GetInteger(const TLString& name, int64_t fallback) {
    DWORD dword = 0;
    if (key_.ReadDword(name, &dword)) return static_cast<int32_t>(dword);
    uint64_t qword = 0;
    if (key_.ReadQword(name, &qword)) return static_cast<int64_t>(qword);
    // A number kept as text (settings written by hand) counts too; other text does not.
    TLString text;
    if (!key_.ReadString(name, &text)) return fallback;
    text.Trim();
    const size_t digits = text.length() && (text[0] == u'-' || text[0] == u'+') ? 1 : 0;
    if (digits >= text.length() || text[digits] < u'0' || text[digits] > u'9') return fallback;
    return text.ToInt64();
}

bool CRegistrySettings::SetInteger(const TLString& name, int64_t value) {
    if (value >= INT32_MIN && value <= INT32_MAX) return key_.WriteDword(name, static_cast<DWORD>(value));
    return key_.WriteQword(name, static_cast<uint64_t>(value));
}

TLString CRegistrySettings::GetString(const TLString& name, const TLString& fallback) {
    TLString value;
    return key_.ReadString(name, &value) ? value : fallback;
}

bool CRegistrySettings::SetString(const TLString& name, const TLString& value, int type) {
    switch (type) {
        case kPlainString:
            return key_.WriteString(name, value, REG_SZ);
        case kExpandableString:
            return key_.WriteString(name, value, REG_EXPAND_SZ);
        default:
            return false;
    }
}

bool CRegistrySettings::DeleteValue(const TLString& name) { return key_.DeleteValue(name); }

bool CSettingsImport::Import(const TLString& path) {
    if (!tlwin::FolderExists(path)) return ImportFile(path);
    std::vector<TLString> exports;
    tlwin::ForEachEntry(path, [&](const TLString& name, DWORD attributes) {
        if (!tlwin::IsFolder(attributes) && name.EndsWithNoCase(kExportExtension)) exports.push_back(name);
        return true;
    });
    std::sort(exports.begin(), exports.end(),
              [](const TLString& a, const TLString& b) { return a.CompareNoCase(b.view()) < 0; });
    TLString folder = path;
    folder.EnsureTrailingBackslash();
    bool ok = !exports.empty();
    for (const TLString& name : exports) ok = ImportFile(folder + name) && ok;
    return ok;
}

bool CSettingsImport::ImportFile(const TLString& file) {
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
                                                : section->SetString(name, value, tltools::ISettings::kPlainString)) &&
             ok;
    }
    if (section) section->Release();
    return ok;
}

}  // namespace tltools_dll
