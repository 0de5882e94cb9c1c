#include "shell/registry/registry_changes.h"

#include "core/tools/tools.h"

namespace shell {
namespace {

constexpr char16_t kLogName[] = u"shell::RegistryChange";

tlwin::RegistryKey CreateKey(tlwin::IChangeNotes& notes, HKEY root, const TLString& key, tlwin::RegistryView view) {
    if (view == tlwin::RegistryView::kNative) notes.NoteKey(root, key);
    tlwin::RegistryKey created = tlwin::RegistryKey::Create(root, key, KEY_READ | KEY_WRITE, view);
    if (!created.IsOpen())
        tools::LogFormat(kLogName, u"The key \"%s\" cannot be opened (error %d)", key, static_cast<int>(created.error()));
    return created;
}

void NoteValue(tlwin::IChangeNotes& notes, HKEY root, const TLString& key, const TLString& name,
               tlwin::RegistryView view) {
    if (view == tlwin::RegistryView::kNative) notes.NoteRegistryValue(root, key, name);
}

bool Logged(bool done, const tlwin::RegistryKey& key, const TLString& path, const TLString& name) {
    if (!done)
        tools::LogFormat(kLogName, u"The value \"%s\" of \"%s\" cannot be changed (error %d)", name, path,
                         static_cast<int>(key.error()));
    return done;
}

}  // namespace

TLString BackupValueName(const TLString& name) { return (name.empty() ? TLString(u"Default") : name) + u".BAK"; }

bool WriteRegistryString(tlwin::IChangeNotes& notes, HKEY root, const TLString& key, const TLString& name,
                         const TLString& text, tlwin::RegistryView view) {
    tlwin::RegistryKey opened = CreateKey(notes, root, key, view);
    if (!opened.IsOpen()) return false;
    NoteValue(notes, root, key, name, view);
    return Logged(opened.WriteString(name, text), opened, key, name);
}

bool WriteRegistryDword(tlwin::IChangeNotes& notes, HKEY root, const TLString& key, const TLString& name, DWORD number,
                        tlwin::RegistryView view) {
    tlwin::RegistryKey opened = CreateKey(notes, root, key, view);
    if (!opened.IsOpen()) return false;
    NoteValue(notes, root, key, name, view);
    return Logged(opened.WriteDword(name, number), opened, key, name);
}

bool DeleteRegistryValue(tlwin::IChangeNotes& notes, HKEY root, const TLString& key, const TLString& name,
                         tlwin::RegistryView view) {
    tlwin::RegistryKey opened = CreateKey(notes, root, key, view);
    if (!opened.IsOpen()) return false;
    NoteValue(notes, root, key, name, view);
    return opened.DeleteValue(name) || Logged(opened.error() == ERROR_FILE_NOT_FOUND, opened, key, name);
}

bool WriteRegistryStringWithBackup(tlwin::IChangeNotes& notes, HKEY root, const TLString& key, const TLString& name,
                                   const std::optional<TLString>& text, bool backup) {
    tlwin::RegistryKey opened = CreateKey(notes, root, key, tlwin::RegistryView::kNative);
    if (!opened.IsOpen()) return false;
    TLString old;
    if (backup && opened.ReadString(name, &old)) {
        if (text && old == *text) return true;
        const TLString backup_name = BackupValueName(name);
        TLString kept;
        if (!opened.ReadString(backup_name, &kept)) {
            notes.NoteRegistryValue(root, key, backup_name);
            if (!opened.WriteString(backup_name, old)) {
                tools::LogFormat(kLogName,
                                 u"The backup of \"%s\" in \"%s\" cannot be written (error %d): the value is kept",
                                 name, key, static_cast<int>(opened.error()));
                return false;
            }
        }
    }
    notes.NoteRegistryValue(root, key, name);
    if (text) return Logged(opened.WriteString(name, *text), opened, key, name);
    return opened.DeleteValue(name) || Logged(opened.error() == ERROR_FILE_NOT_FOUND, opened, key, name);
}

bool CreateRegistryKey(tlwin::IChangeNotes& notes, HKEY root, const TLString& key) {
    return CreateKey(notes, root, key, tlwin::RegistryView::kNative).IsOpen();
}

bool DeleteRegistryKey(tlwin::IChangeNotes& notes, HKEY root, const TLString& key) {
    tlwin::NoteKeyTree(notes, root, key);
    const bool deleted = tlwin::DeleteKeyTree(root, key);
    if (!deleted) tools::LogFormat(kLogName, u"The key \"%s\" cannot be deleted", key);
    return deleted;
}

}  // namespace shell
