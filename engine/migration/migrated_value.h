#pragma once
// What a registry value of an earlier version becomes in this version's key.

#include <cstdint>
#include <vector>

#include "engine/migration/replacement_pairs.h"

namespace engine::migration {

// Registry value types by their Windows numbers, so that this stays portable.
enum ValueType : uint32_t {
    kString = 1,
    kExpandableString = 2,
    kBinary = 3,
    kDword = 4,
    kMultiString = 7,
    kQword = 11
};

struct StoredValue {
    uint32_t type = 0;
    std::vector<uint8_t> data;
    bool operator==(const StoredValue&) const = default;
};

// Strings get the replacement pairs and keep their type. A DWORD becomes its signed decimal text, which
// the product's settings read back as the same integer. Every other value (binary, multi-string,
// QWORD, ...) is copied unchanged with its own type: read as text it would be cut at its first zero.
StoredValue MigratedValue(const StoredValue& value, const ReplacementPairs& pairs);

}  // namespace engine::migration
