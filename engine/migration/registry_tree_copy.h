#pragma once
// Copies an earlier version's settings key, with everything below it, into this version's key.

#include <initializer_list>

#include "core/string/tl_string.h"
#include "engine/journal/journal.h"
#include "engine/migration/replacement_pairs.h"

namespace engine::migration {

// Below HKEY_CURRENT_USER, from `source_path` into `target_path` as tlwin::MergeKeyTree merges (a
// value already there is never overwritten), leaving out the subkeys named in `left_out` at every
// level; every value arrives as MigratedValue makes it with `pairs`, through WriteSettingValue. False
// when a value could not be written. Each value written is noted in `journal` first (when there is one).
bool CopyRegistryTree(journal::CJournal* journal, const TLString& source_path, const TLString& target_path,
                      std::initializer_list<const char16_t*> left_out, const ReplacementPairs& pairs);

}  // namespace engine::migration
