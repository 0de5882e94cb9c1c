#pragma once
// Every change the shell registration makes to the registry goes through one of these functions, one
// per kind of change; each tells `notes` of the change before making it, so that it can be recorded
// and undone. Keys are made when missing; failures are logged and answered with false. The notes
// follow the native view only: the 64-bit pass of a 32-bit process goes unnoted.

#include <optional>

#include "core/string/tl_string.h"
#include "core/windows/change_notes.h"
#include "core/windows/registry.h"

namespace shell {

bool WriteRegistryString(tlwin::IChangeNotes& notes, HKEY root, const TLString& key, const TLString& name,
                         const TLString& text, tlwin::RegistryView view = tlwin::RegistryView::kNative);
bool WriteRegistryDword(tlwin::IChangeNotes& notes, HKEY root, const TLString& key, const TLString& name, DWORD number,
                        tlwin::RegistryView view = tlwin::RegistryView::kNative);
// A value that is not there counts as deleted.
bool DeleteRegistryValue(tlwin::IChangeNotes& notes, HKEY root, const TLString& key, const TLString& name,
                         tlwin::RegistryView view = tlwin::RegistryView::kNative);
// Sets a string value (deletes it when there is no `text`), keeping with `backup` the string it
// replaces under the name plus ".BAK" ("Default.BAK" for the unnamed value). A backup already there
// is never overwritten, so it always holds the value another program had before this product came;
// and when the backup cannot be written the value is left as it is, so that it is never lost.
bool WriteRegistryStringWithBackup(tlwin::IChangeNotes& notes, HKEY root, const TLString& key, const TLString& name,
                                   const std::optional<TLString>& text, bool backup);
bool CreateRegistryKey(tlwin::IChangeNotes& notes, HKEY root, const TLString& key);
// Deletes the key with everything below it.
bool DeleteRegistryKey(tlwin::IChangeNotes& notes, HKEY root, const TLString& key);

// The backup's name for a value ("" is the unnamed value).
TLString BackupValueName(const TLString& name);

}  // namespace shell
