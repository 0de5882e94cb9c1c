#include "engine/migration/registry_tree_copy.h"

#include <windows.h>

#include <algorithm>

#include "core/tools/tools.h"
#include "core/windows/registry.h"
#include "engine/migration/migrated_value.h"
#include "engine/migration/migration_changes.h"

namespace engine::migration {
namespace {

// Windows nests keys at most 512 levels deep.
constexpr int kMaxDepth = 512;

struct TreeCopy {
    std::initializer_list<const char16_t*> left_out;
    const ReplacementPairs* pairs;
    bool complete = true;

    bool IsLeftOut(const TLString& name) const {
        return std::any_of(left_out.begin(), left_out.end(),
                           [&](const char16_t* out) { return name.EqualsNoCase(out); });
    }

    void Copy(const TLString& source_path, const TLString& target_path, int depth) {
        const tlwin::RegistryKey source = tlwin::RegistryKey::Open(HKEY_CURRENT_USER, source_path);
        if (!source.IsOpen()) return;
        const tlwin::RegistryKey target = tlwin::RegistryKey::Open(HKEY_CURRENT_USER, target_path);
        for (const TLString& name : source.ValueNames()) {
            tlwin::RegistryValue value;
            if (target.IsOpen() && target.ReadValue(name, &value)) continue;
            if (!source.ReadValue(name, &value)) continue;
            if (pairs) {
                StoredValue migrated = MigratedValue({value.type, std::move(value.data)}, *pairs);
                value = {migrated.type, std::move(migrated.data)};
            }
            complete &= WriteSettingValue(target_path, name, value);
        }
        if (depth + 1 >= kMaxDepth) {
            tools::LogFormat(u"CopyRegistryTree", u"\"%s\" is nested too deep; its subkeys are left out", source_path);
            return;
        }
        for (const TLString& name : source.SubkeyNames()) {
            // A link can point back up its own tree.
            if (IsLeftOut(name) || source.IsSubkeyLink(name)) continue;
            Copy(source_path + u"\\" + name, target_path + u"\\" + name, depth + 1);
        }
    }
};

}  // namespace

bool CopyRegistryTree(const TLString& source_path, const TLString& target_path,
                      std::initializer_list<const char16_t*> left_out, const ReplacementPairs* pairs) {
    TreeCopy copy{left_out, pairs};
    copy.Copy(source_path, target_path, 0);
    return copy.complete;
}

}  // namespace engine::migration
