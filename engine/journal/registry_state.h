#pragma once
// Registry values as the journal keeps them: read whole (type and raw bytes) before they are
// written, and put back exactly as they were.

#include <windows.h>

#include <vector>

#include "core/string/tl_string.h"
#include "engine/journal/journal_entry.h"

namespace journal {

// "HKLM" and "HKCU" for the two roots the installer writes below; the handle of such a word (null for
// any other).
TLString RootWord(HKEY root);
HKEY RootOfWord(const TLString& word);

ValueState ReadValueState(HKEY root, const TLString& path, const TLString& name);
// Writes `state` back, or deletes the value when it did not exist. A missing key counts as done for
// a value that did not exist.
bool RestoreValueState(HKEY root, const TLString& path, const TLString& name, const ValueState& state);

// The entries that note a key about to be made: the key and each missing one above it, outermost
// first; none when it is there. A key below HKEY_CLASSES_ROOT is noted where Windows keeps it: below
// the user's classes when the user's classes hold it, otherwise below the machine's.
std::vector<Entry> CreatedKeyEntries(HKEY root, const TLString& key);
// The entries that note a value about to be written or deleted: its key's when the key is missing,
// then the value with what it holds now.
std::vector<Entry> ValueEntries(HKEY root, const TLString& key, const TLString& name);

}  // namespace journal
