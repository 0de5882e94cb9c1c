#pragma once
// Registry values as the journal keeps them: read whole (type and raw bytes) before they are
// written, and put back exactly as they were.

#include <windows.h>

#include "core/string/tl_string.h"
#include "engine/journal/journal_entry.h"

namespace journal {

// "HKLM" and "HKCU" for the two roots the installer writes below; the handle of such a word (null for
// any other).
TLString RootWord(HKEY root);
HKEY RootOfWord(const TLString& word);

bool KeyExists(HKEY root, const TLString& path);
ValueState ReadValueState(HKEY root, const TLString& path, const TLString& name);
// Writes `state` back, or deletes the value when it did not exist. A missing key counts as done for
// a value that did not exist.
bool RestoreValueState(HKEY root, const TLString& path, const TLString& name, const ValueState& state);
// Deletes the key when it holds no subkeys (its values go with it).
bool DeleteKeyWithoutSubkeys(HKEY root, const TLString& path);

}  // namespace journal
