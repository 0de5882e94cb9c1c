#include "engine/migration/migration_changes.h"

#include "core/tools/tools.h"
#include "core/windows/change_notes.h"
#include "core/windows/file_operations.h"
#include "core/windows/tl_file_system.h"
#include "core/xml/file_text.h"
#include "engine/journal/file_changes.h"

namespace engine::migration {
namespace {

bool Logged(bool done, std::u16string_view what, const TLString& subject) {
    if (!done)
        tools::LogFormat(u"SettingsMigration", u"Could not %s \"%s\" (error %d)", TLString(what), subject,
                         static_cast<int>(GetLastError()));
    return done;
}

}  // namespace

bool CopyFolderTree(journal::CJournal* journal, const TLString& source, const TLString& target) {
    return Logged(journal::CopyTree(journal, source, target), u"copy the folder", source);
}

bool CopyOneFile(journal::CJournal* journal, const TLString& source, const TLString& target) {
    return Logged(journal::MakeFolders(journal, target.Left(target.ReverseFind(u'\\') + 1)) &&
                      journal::PlaceFile(journal, source, target) == ERROR_SUCCESS,
                  u"copy the file", source);
}

bool DeleteFolderTree(journal::CJournal* journal, const TLString& folder) {
    return Logged(journal::RemoveTree(journal, folder), u"delete the folder", folder);
}

// A file there already is set aside first, so that it comes back on rollback.
bool WriteEmptyFile(journal::CJournal* journal, const TLString& path) {
    const bool cleared = journal::MakeFolders(journal, path.Left(path.ReverseFind(u'\\') + 1)) &&
                         (!tlwin::TLFileSystem::FileExists(path) || journal::RemoveFile(journal, path));
    if (cleared && journal) journal->NoteCreatedFile(path);
    return Logged(cleared && tlxml::WriteTextFile(path, u"", tlxml::TextEncoding::kUtf8), u"write the file", path);
}

bool WriteSettingValue(journal::CJournal* journal, const TLString& key_path, const TLString& name,
                       const tlwin::RegistryValue& value) {
    if (journal) journal->NoteRegistryValue(HKEY_CURRENT_USER, key_path, name);
    tlwin::RegistryKey key = tlwin::RegistryKey::Create(HKEY_CURRENT_USER, key_path, KEY_SET_VALUE);
    const bool written = key.IsOpen() && key.WriteValue(name, value);
    if (!written) SetLastError(static_cast<DWORD>(key.error()));
    return Logged(written, u"write a value into", key_path + u"\\" + name);
}

bool DeleteSettingValue(journal::CJournal* journal, const TLString& key_path, const TLString& name) {
    tlwin::RegistryKey key = tlwin::RegistryKey::Open(HKEY_CURRENT_USER, key_path, KEY_SET_VALUE);
    if (!key.IsOpen()) return key.error() == ERROR_FILE_NOT_FOUND;
    if (journal) journal->NoteRegistryValue(HKEY_CURRENT_USER, key_path, name);
    const bool deleted = key.DeleteValue(name) || key.error() == ERROR_FILE_NOT_FOUND;
    if (!deleted) SetLastError(static_cast<DWORD>(key.error()));
    return Logged(deleted, u"delete the value", key_path + u"\\" + name);
}

bool DeleteSettingKey(journal::CJournal* journal, const TLString& key_path) {
    if (journal) tlwin::NoteKeyTree(*journal, HKEY_CURRENT_USER, key_path);
    return Logged(tlwin::DeleteKeyTree(HKEY_CURRENT_USER, key_path), u"delete the key", key_path);
}

bool ImportSettings(tltools::ISettingsImport& import, const TLString& folder) {
    return Logged(import.Import(folder), u"import the settings of", folder);
}

}  // namespace engine::migration
