#include "engine/migration/migrated_value.h"

#include <cstring>

namespace engine::migration {
namespace {

TLString StringOf(const std::vector<uint8_t>& data) {
    std::u16string text(data.size() / sizeof(char16_t), u'\0');
    if (!text.empty()) std::memcpy(text.data(), data.data(), text.size() * sizeof(char16_t));
    while (!text.empty() && text.back() == u'\0') text.pop_back();
    return TLString(std::u16string_view(text));
}

std::vector<uint8_t> BytesOf(const TLString& text) {
    std::vector<uint8_t> bytes((text.length() + 1) * sizeof(char16_t), 0);
    std::memcpy(bytes.data(), text.c_str(), text.length() * sizeof(char16_t));
    return bytes;
}

}  // namespace

StoredValue MigratedValue(const StoredValue& value, const ReplacementPairs& pairs) {
    switch (value.type) {
        case kString:
        case kExpandableString:
            return {value.type, BytesOf(pairs.Apply(StringOf(value.data)))};
        case kDword:
            if (value.data.size() == sizeof(int32_t)) {
                int32_t number;
                std::memcpy(&number, value.data.data(), sizeof number);
                return {kString, BytesOf(TLString::Format(u"%d", static_cast<int>(number)))};
            }
            break;
        default:
            break;
    }
    return value;
}

}  // namespace engine::migration
