#include "product/uninstall/product_places.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

#include "core/process/tl_install_path.h"
#include "core/process/tl_process_info_block.h"
#include "core/tools/tools.h"
#include "core/windows/known_folders.h"
#include "core/windows/registry.h"
#include "core/windows/shell_folder.h"
#include "engine/uninstall/uninstall_values.h"
#include "shell/shortcuts/shortcut_plan.h"

namespace uninstall {
namespace {

using engine::kUninstallRootKey;

TLString ShellFolderOf(int csidl) {
    TLString folder = tlwin::ShellFolder(csidl);
    return folder.empty() ? folder : folder.EnsureTrailingBackslash();
}

TLString RecordKeyOf(const TLString& product_name) { return TLString(kInstallationsKey) + u"\\" + product_name; }

// Products in the installations record other than this one.
TLStringArray OtherInstalledProducts(const TLString& product_name) {
    TLStringArray others;
    const tlwin::RegistryKey installations = tlwin::RegistryKey::Open(HKEY_LOCAL_MACHINE, kInstallationsKey);
    for (const TLString& name : installations.SubkeyNames()) {
        TLString path;
        if (name == product_name) continue;
        const tlwin::RegistryKey record = tlwin::RegistryKey::Open(HKEY_LOCAL_MACHINE, RecordKeyOf(name));
        if (record.ReadString(u"Path", &path) && !path.empty()) others.Add(name);
    }
    return others;
}

}  // namespace

ProductPlaces FindProductPlaces(const TLString& destination, const TLString& product_name) {
    ProductPlaces places;
    places.destination = destination;
    places.system_folder = tlwin::KnownFolderPath(tlwin::KnownFolder::kSystem);
    places.system_wow64_folder = tlwin::KnownFolderPath(tlwin::KnownFolder::kSystemWow64);
    places.fonts_folder = tlwin::KnownFolderPath(tlwin::KnownFolder::kFonts);
    tltools::IProductInfo* info = tools::ProductInfo();
    const TLString start_menu_name = info ? info->GetStartMenuFolder() : TLString();
    const TLString programs = ShellFolderOf(CSIDL_COMMON_PROGRAMS);
    if (!programs.empty() && shell::IsSafeStartMenuFolderName(start_menu_name))
        places.start_menu_folder = programs + start_menu_name + u"\\";
    places.desktop_folder = ShellFolderOf(CSIDL_COMMON_DESKTOPDIRECTORY);
    // Where the shortcuts page puts the Quick Launch shortcut.
    if (const TLProcessInfoBlock* block = TLProcessInfoBlock::Get()) {
        TLString data = block->GetString(TLProcessInfoBlock::kAppDataFolder);
        if (!data.empty())
            places.quick_launch_folder = data.EnsureTrailingBackslash() + u"Microsoft\\Internet Explorer\\Quick Launch\\";
    }
    places.system_files_shared = OtherInstalledProducts(product_name).GetCount() > 0;
    return places;
}

TLString RegisteredFolder(const TLString& product_name) {
    TLString path;
    tlwin::RegistryKey::Open(HKEY_LOCAL_MACHINE, RecordKeyOf(product_name)).ReadString(u"Path", &path);
    return path.empty() ? path : path.EnsureTrailingBackslash();
}

TLString UninstallEntryKey(const TLString& product_name) {
    TLString key;
    tlwin::RegistryKey::Open(HKEY_LOCAL_MACHINE, RecordKeyOf(product_name)).ReadString(u"Uninstall Key", &key);
    // A name that climbs out of the uninstall list is no entry of ours.
    if (key.Find(u'\\') != TLString::npos || key == u"." || key == u"..") return TLString();
    return key;
}

bool IsRegistrationEntry(const journal::Entry& entry, const TLString& product_name) {
    if (entry.kind != journal::EntryKind::kRegistryValue && entry.kind != journal::EntryKind::kCreatedKey) return false;
    if (entry.root != u"HKLM") return false;
    const TLString key = entry.path + u"\\";
    return key.StartsWithNoCase(kUninstallRootKey) || key.StartsWithNoCase(RecordKeyOf(product_name) + u"\\");
}

void RemoveProductRegistration(const TLString& product_name, const TLString& uninstall_key) {
    if (!uninstall_key.empty()) tlwin::DeleteKeyTree(HKEY_LOCAL_MACHINE, kUninstallRootKey + uninstall_key);
    if (product_name.empty()) return;
    tlwin::DeleteKeyTree(HKEY_LOCAL_MACHINE, RecordKeyOf(product_name));
    tlwin::RegistryKey installations =
        tlwin::RegistryKey::Open(HKEY_LOCAL_MACHINE, kInstallationsKey, KEY_READ | KEY_WRITE);
    TLString last;
    if (!installations.IsOpen() || !installations.ReadString(TLString(), &last) || last != product_name) return;
    const TLStringArray others = OtherInstalledProducts(product_name);
    if (others.GetCount() > 0)
        installations.WriteString(TLString(), others[0]);
    else
        installations.DeleteValue(TLString());
}

}  // namespace uninstall
