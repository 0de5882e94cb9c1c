#pragma once
// Writes the product's entry in Windows' list of installed programs.

#include "core/string/tl_string.h"
#include "engine/journal/journal.h"
#include "engine/uninstall/uninstall_values.h"

namespace engine {

// Creates or opens HKEY_LOCAL_MACHINE's uninstall key `key_name` and writes the values in order.
// A key that cannot be had is skipped; other values already in the key stay. Each value is noted in
// the journal, when there is one, before it is written.
void WriteUninstallEntry(const TLString& key_name, const UninstallFacts& facts, journal::CJournal* journal = nullptr);

}  // namespace engine
