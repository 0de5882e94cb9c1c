#pragma once
// Copies an earlier version's settings key, with everything below it, into this version's key.

#include <initializer_list>

#include "core/string/tl_string.h"
#include "engine/migration/replacement_pairs.h"

namespace engine::migration {

// Below HKEY_CURRENT_USER, from `source_path` into `target_path`: every value the target does not
// have yet arrives (a value already there is never overwritten), as MigratedValue makes it with
// `pairs`, unchanged without them (a section moved within this version); and every
// subkey is copied the same way unless its name is one of `left_out`, at any level. Registry links
// are not followed and the copy stops at the registry's own depth limit, so a tree can never make it
// recurse without end. False when a value or key could not be written.
bool CopyRegistryTree(const TLString& source_path, const TLString& target_path,
                      std::initializer_list<const char16_t*> left_out, const ReplacementPairs* pairs);

}  // namespace engine::migration
