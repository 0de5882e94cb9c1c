#include "shell/registry/registry_changes.h"

#include "core/tools/tools.h"

namespace shell {
namespace {

constexpr char16_t kLogName[] = u"shell::RegistryChange";

tlwin::RegistryKey CreateKey(HKEY root, const TLString& key, tlwin::RegistryView view) {
    tlwin::RegistryKey created = tlwin::RegistryKey::Create(root, key, KEY_READ | KEY_WRITE, view);
    if (!created.IsOpen())
        tools::LogFormat(kLogName, u"The key \"%s\" cannot be opened (error %d)", key, static_cast<int>(created.error()));
    return created;
}

bool Logged(bool done, const tlwin::RegistryKey& key, const TLString& path, const TLString& name) {
    if (!done)
        tools::LogFormat(kLogName, u"The value \"%s\" of \"%s\" cannot be changed (error %d)", name, path,
                         static_cast<int>(key.error()));
    return done;
}

}  // namespace

TLString BackupValueName(const TLString& name) { return (name.empty() ? TLString(u"Default") : name) + u".BAK"; }

bool WriteRegistryString(HKEY root, const TLString& key, const TLString& name, const TLString& text,
                         tlwin::RegistryView view) {
    tlwin::RegistryKey opened = CreateKey(root, key, view);
    return opened.IsOpen() && Logged(opened.WriteString(name, text), opened, key, name);
}

bool WriteRegistryDword(HKEY root, const TLString& key, const TLString& name, DWORD number, tlwin::RegistryView view) {
    tlwin::RegistryKey opened = CreateKey(root, key, view);
    return opened.IsOpen() && Logged(opened.WriteDword(name, number), opened, key, name);
}

bool DeleteRegistryValue(HKEY root, const TLString& key, const TLString& name, tlwin::RegistryView view) {
    tlwin::RegistryKey opened = CreateKey(root, key, view);
    if (!opened.IsOpen()) return false;
    return opened.DeleteValue(name) || Logged(opened.error() == ERROR_FILE_NOT_FOUND, opened, key, name);
}

bool WriteRegistryStringWithBackup(HKEY root, const TLString& key, const TLString& name,
                                   const std::optional<TLString>& text, bool backup) {
    tlwin::RegistryKey opened = CreateKey(root, key, tlwin::RegistryView::kNative);
    if (!opened.IsOpen()) return false;
    TLString old;
    if (backup && opened.ReadString(name, &old)) {
        if (text && old == *text) return true;
        const TLString backup_name = BackupValueName(name);
        TLString kept;
        if (!opened.ReadString(backup_name, &kept) && !opened.WriteString(backup_name, old)) {
            tools::LogFormat(kLogName, u"The backup of \"%s\" in \"%s\" cannot be written (error %d): the value is kept",
                             name, key, static_cast<int>(opened.error()));
            return false;
        }
    }
    if (text) return Logged(opened.WriteString(name, *text), opened, key, name);
    return opened.DeleteValue(name) || Logged(opened.error() == ERROR_FILE_NOT_FOUND, opened, key, name);
}

bool CreateRegistryKey(HKEY root, const TLString& key) {
    return CreateKey(root, key, tlwin::RegistryView::kNative).IsOpen();
}

bool DeleteRegistryKey(HKEY root, const TLString& key) {
    const bool deleted = tlwin::DeleteKeyTree(root, key);
    if (!deleted) tools::LogFormat(kLogName, u"The key \"%s\" cannot be deleted", key);
    return deleted;
}

}  // namespace shell
