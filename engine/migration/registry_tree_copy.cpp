#include "engine/migration/registry_tree_copy.h"

#include <algorithm>

#include "core/windows/registry.h"
#include "engine/migration/migrated_value.h"
#include "engine/migration/migration_changes.h"

namespace engine::migration {

bool CopyRegistryTree(journal::CJournal* journal, const TLString& source_path, const TLString& target_path,
                      std::initializer_list<const char16_t*> left_out, const ReplacementPairs& pairs) {
    tlwin::KeyTreeMerge how;
    how.leave_out = [&](const TLString& name) {
        return std::any_of(left_out.begin(), left_out.end(),
                           [&](const char16_t* out) { return name.EqualsNoCase(out); });
    };
    how.write = [&](const TLString& path, const TLString& name, const tlwin::RegistryValue& value) {
        StoredValue migrated = MigratedValue({value.type, value.data}, pairs);
        return WriteSettingValue(journal, path, name, {migrated.type, std::move(migrated.data)});
    };
    return tlwin::MergeKeyTree(HKEY_CURRENT_USER, source_path, target_path, how);
}

}  // namespace engine::migration
