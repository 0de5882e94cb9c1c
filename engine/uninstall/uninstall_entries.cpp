#include "engine/uninstall/uninstall_entries.h"

#include <windows.h>

#include "core/string/tl_string_library.h"
#include "core/windows/registry.h"

namespace {

constexpr char16_t kUninstallKey[] = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr std::u16string_view kPublishers[] = {u"Corvane, Inc.", u"C. Orvane, Inc."};

bool PublishedByCorvane(const tlwin::RegistryKey& uninstall, const TLString& name) {
    TLString publisher;
    if (!tlwin::RegistryKey::Open(uninstall.handle(), name).ReadString(u"Publisher", &publisher)) return false;
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

UninstallEntries FindUninstallEntries(const TLString& family_prefix, const TLString& product_name, bool wow64_view) {
    UninstallEntries result;
    TLString full_name = product_name;
    if (!wow64_view) full_name += u" (64-bit)";

    const tlwin::RegistryKey uninstall =
        tlwin::RegistryKey::Open(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_READ,
                                 wow64_view ? tlwin::RegistryView::k32 : tlwin::RegistryView::kNative);
    const TLStringArray names = uninstall.SubkeyNames();
    for (size_t i = 0; i < names.GetCount(); ++i) {
        if (!names[i].StartsWithNoCase(family_prefix) || !PublishedByCorvane(uninstall, names[i])) continue;
        if (names[i] == full_name) {
            result.entry_name = names[i];
            result.found = true;
        } else {
            result.other_entries.Add(names[i]);
        }
    }
    if (!result.found) {
        result.entry_name = full_name;
        while (Contains(names, result.entry_name))
            result.entry_name = TLStringLibrary::IncrementNumber(result.entry_name);
    }
    return result;
}
