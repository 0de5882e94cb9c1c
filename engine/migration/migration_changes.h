#pragma once
// Every change the settings migration makes to the machine, one function per kind of change, each
// noted in the install's journal before it is made (without a journal, made directly). Registry keys
// are below HKEY_CURRENT_USER. Failures are logged and reported; the migration passes over them, as a
// missing folder is passed over.

#include "core/string/tl_string.h"
#include "core/tools/tools_interface.h"
#include "core/windows/registry.h"
#include "engine/journal/journal.h"

namespace engine::migration {

// Copies the folder tree into `target` (made when missing), replacing files of the same name.
bool CopyFolderTree(journal::CJournal* journal, const TLString& source, const TLString& target);
// Copies one file, replacing the target and making its folder.
bool CopyOneFile(journal::CJournal* journal, const TLString& source, const TLString& target);
bool DeleteFolderTree(journal::CJournal* journal, const TLString& folder);
bool WriteEmptyFile(journal::CJournal* journal, const TLString& path);

// Writes the value with its own type into the key, made when missing.
bool WriteSettingValue(journal::CJournal* journal, const TLString& key_path, const TLString& name,
                       const tlwin::RegistryValue& value);
// A value or key that is not there counts as deleted.
bool DeleteSettingValue(journal::CJournal* journal, const TLString& key_path, const TLString& name);
bool DeleteSettingKey(journal::CJournal* journal, const TLString& key_path);

// Hands an exported settings folder to the tools library's settings import. What the import writes is
// the tools library's own doing and is not noted.
bool ImportSettings(tltools::ISettingsImport& import, const TLString& folder);

}  // namespace engine::migration
