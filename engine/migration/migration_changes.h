#pragma once
// Every change the settings migration makes to the machine, one function per kind of change, so that
// each is one kind of action to apply, record and undo. Registry keys are below HKEY_CURRENT_USER.
// Failures are logged and reported; the migration passes over them, as a missing folder is passed over.

#include "core/string/tl_string.h"
#include "core/tools/tools_interface.h"
#include "core/windows/registry.h"

namespace engine::migration {

// Copies the folder tree into `target` (made when missing), replacing files of the same name.
bool CopyFolderTree(const TLString& source, const TLString& target);
// Copies one file, replacing the target and making its folder.
bool CopyOneFile(const TLString& source, const TLString& target);
bool DeleteFolderTree(const TLString& folder);
bool WriteEmptyFile(const TLString& path);

// Writes the value with its own type into the key, made when missing.
bool WriteSettingValue(const TLString& key_path, const TLString& name, const tlwin::RegistryValue& value);
// A value or key that is not there counts as deleted.
bool DeleteSettingValue(const TLString& key_path, const TLString& name);
bool DeleteSettingKey(const TLString& key_path);

// Hands an exported settings folder to the tools library's settings import.
bool ImportSettings(tltools::ISettingsImport& import, const TLString& folder);

}  // namespace engine::migration
