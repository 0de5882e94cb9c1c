#include "app/uninstall_entries.h"

#include <windows.h>

#include "core/string/tl_string_library.h"
#include "core/tools/tools.h"

namespace {

constexpr wchar_t kUninstallKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr std::u16string_view kPublishers[] = {u"Corvane, Inc.", u"C. Orvane, Inc."};

TLStringArray SubkeyNames(HKEY key) {
    TLStringArray names;
    wchar_t name[256];
    for (DWORD index = 0; RegEnumKeyW(key, index, name, 256) == ERROR_SUCCESS; ++index)
        names.Add(TLString(reinterpret_cast<const char16_t*>(name)));
    return names;
}

bool PublishedByCorvane(HKEY uninstall, const TLString& name) {
    HKEY entry;
    if (RegOpenKeyExW(uninstall, name.wc(), 0, KEY_READ, &entry) != ERROR_SUCCESS) return false;
    wchar_t data[512] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    DWORD type = 0;
    const bool read =
        RegQueryValueExW(entry, L"Publisher", nullptr, &type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS &&
        type == REG_SZ;
    RegCloseKey(entry);
    if (!read) return false;
    const TLString publisher(reinterpret_cast<const char16_t*>(data));
    for (const std::u16string_view known : kPublishers)
        if (publisher.EqualsNoCase(known)) return true;
    return false;
}

bool Contains(const TLStringArray& names, const TLString& name) {
    for (size_t i = 0; i < names.GetCount(); ++i)
        if (names[i].EqualsNoCase(name)) return true;
    return false;
}

}  // namespace

UninstallEntries FindUninstallEntries(bool wow64_view) {
    UninstallEntries result;
    const TLString prefix = tools::ProductItem(2);
    TLString full_name = tools::ProductItem(3);
    if (!wow64_view) full_name += u" (64-bit)";

    TLStringArray names;
    HKEY uninstall;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ | (wow64_view ? KEY_WOW64_32KEY : 0),
                      &uninstall) == ERROR_SUCCESS) {
        names = SubkeyNames(uninstall);
        for (size_t i = 0; i < names.GetCount(); ++i) {
            if (!names[i].StartsWithNoCase(prefix) || !PublishedByCorvane(uninstall, names[i])) continue;
            if (names[i] == full_name) {
                result.entry_name = names[i];
                result.found = true;
            } else {
                result.other_entries.Add(names[i]);
            }
        }
        RegCloseKey(uninstall);
    }
    if (!result.found) {
        result.entry_name = full_name;
        while (Contains(names, result.entry_name))
            result.entry_name = TLStringLibrary::IncrementNumber(result.entry_name);
    }
    return result;
}
