#include "engine/migration/migration_changes.h"

#include "core/tools/tools.h"
#include "core/windows/file_operations.h"
#include "core/xml/file_text.h"
#include "core/windows/tl_file_system.h"

namespace engine::migration {
namespace {

bool Logged(bool done, std::u16string_view what, const TLString& subject) {
    if (!done)
        tools::LogFormat(u"SettingsMigration", u"Could not %s \"%s\" (error %d)", TLString(what), subject,
                         static_cast<int>(GetLastError()));
    return done;
}

}  // namespace

bool CopyFolderTree(const TLString& source, const TLString& target) {
    return Logged(tlwin::TLFileSystem::CopyDirectoryTree(source, target), u"copy the folder", source);
}

bool CopyOneFile(const TLString& source, const TLString& target) {
    return Logged(tlwin::TLFileSystem::MakeDirectoryTree(target, true) && tlwin::CopyFileTo(source, target, true),
                  u"copy the file", source);
}

bool DeleteFolderTree(const TLString& folder) {
    return Logged(tlwin::TLFileSystem::DeleteDirectoryTree(folder), u"delete the folder", folder);
}

bool WriteEmptyFile(const TLString& path) {
    return Logged(
        tlwin::TLFileSystem::MakeDirectoryTree(path, true) && tlxml::WriteTextFile(path, u"", tlxml::TextEncoding::kUtf8),
        u"write the file", path);
}

bool WriteSettingValue(const TLString& key_path, const TLString& name, const tlwin::RegistryValue& value) {
    tlwin::RegistryKey key = tlwin::RegistryKey::Create(HKEY_CURRENT_USER, key_path, KEY_SET_VALUE);
    const bool written = key.IsOpen() && key.WriteValue(name, value);
    if (!written) SetLastError(static_cast<DWORD>(key.error()));
    return Logged(written, u"write a value into", key_path + u"\\" + name);
}

bool DeleteSettingValue(const TLString& key_path, const TLString& name) {
    tlwin::RegistryKey key = tlwin::RegistryKey::Open(HKEY_CURRENT_USER, key_path, KEY_SET_VALUE);
    if (!key.IsOpen()) return key.error() == ERROR_FILE_NOT_FOUND;
    const bool deleted = key.DeleteValue(name) || key.error() == ERROR_FILE_NOT_FOUND;
    if (!deleted) SetLastError(static_cast<DWORD>(key.error()));
    return Logged(deleted, u"delete the value", key_path + u"\\" + name);
}

bool DeleteSettingKey(const TLString& key_path) {
    return Logged(tlwin::DeleteKeyTree(HKEY_CURRENT_USER, key_path), u"delete the key", key_path);
}

bool ImportSettings(tltools::ISettingsImport& import, const TLString& folder) {
    return Logged(import.Import(folder), u"import the settings of", folder);
}

}  // namespace engine::migration
