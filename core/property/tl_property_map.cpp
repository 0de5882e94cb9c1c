#include "tl_property_map.h"

#include "core/property/tl_number_text.h"

TLPropertyMap::~TLPropertyMap() = default;

bool TLPropertyMap::Exists(const TLString& name) const { return map_ && map_->Lookup(name); }

TLString TLPropertyMap::GetString(const TLString& name, const TLString& fallback) const {
    const TLString* value = map_ ? map_->Lookup(name) : nullptr;
    return value ? *value : fallback;
}

int32_t TLPropertyMap::GetInt(const TLString& name, int32_t fallback) const {
    return static_cast<int32_t>(tlnumber::ParseInteger(GetString(name, tlnumber::FormatInteger(fallback))));
}

int64_t TLPropertyMap::GetInt64(const TLString& name, int64_t fallback) const {
    return tlnumber::ParseInteger(GetString(name, tlnumber::FormatInteger(fallback)));
}

double TLPropertyMap::GetDouble(const TLString& name, double fallback) const {
    return tlnumber::ParseDouble(GetString(name, tlnumber::FormatDouble(fallback)));
}

uintptr_t TLPropertyMap::GetPointer(const TLString& name, uintptr_t fallback) const {
    return tlnumber::ParsePointer(GetString(name, tlnumber::FormatPointer(fallback)));
}

void TLPropertyMap::SetString(const TLString& name, const TLString& value, bool remove_if_empty) {
    if (remove_if_empty && value.empty()) {
        Remove(name);
        return;
    }
    if (!map_) map_ = std::make_unique<TLStringMap>();
    map_->Set(name, value);
}

void TLPropertyMap::SetInt(const TLString& name, int32_t value) { SetString(name, tlnumber::FormatInteger(value)); }
void TLPropertyMap::SetInt64(const TLString& name, int64_t value) { SetString(name, tlnumber::FormatInteger(value)); }
void TLPropertyMap::SetPointer(const TLString& name, uintptr_t value) {
    SetString(name, tlnumber::FormatPointer(value));
}
void TLPropertyMap::SetDouble(const TLString& name, double value) { SetString(name, tlnumber::FormatDouble(value)); }

void TLPropertyMap::Clear() { map_.reset(); }

void TLPropertyMap::Remove(const TLString& name) {
    if (map_ && map_->Remove(name) && map_->IsEmpty()) map_.reset();
}

bool TLPropertyMap::CopyFrom(const TLPropertyMap& other) {
    if (&other == this) return true;
    Clear();
    other.ForEach([this](const TLString& name, const TLString& value) { SetString(name, value); });
    return true;
}

bool TLPropertyMap::IsEqual(const TLPropertyMap& other) const {
    if (&other == this) return true;
    if (GetCount() != other.GetCount()) return false;
    bool equal = true;
    // Presence is checked as well as the value: an entry with an empty value must not match a name
    // the other map lacks.
    ForEach([&](const TLString& name, const TLString& value) {
        const TLString* theirs = equal && other.map_ ? other.map_->Lookup(name) : nullptr;
        equal = theirs && *theirs == value;
    });
    return equal;
}

void TLPropertyMap::Save(TLSerialBuffer& buffer, bool include) const {
    if (!include || !map_) {
        buffer.WriteUInt32(0);
        return;
    }
    buffer.WriteUInt32(static_cast<uint32_t>(map_->GetCount()));
    map_->ForEach([&buffer](const TLString& name, const TLString& value) {
        buffer.WriteString(name);
        buffer.WriteString(value);
    });
}

bool TLPropertyMap::Load(const TLSerialBuffer& buffer, size_t& position) {
    Clear();
    uint32_t count = 0;
    if (!buffer.ReadUInt32(position, count)) return false;
    for (uint32_t i = 0; i < count; ++i) {
        TLString name, value;
        if (!buffer.ReadString(position, name) || !buffer.ReadString(position, value)) return false;
        SetString(name, value);
    }
    return true;
}

bool TLPropertyMap::Load(const TLSerialBuffer& buffer) {
    size_t position = 0;
    return Load(buffer, position);
}

TLString TLPropertyMap::ToText(const TLString& prefix, const TLString& suffix) const {
    TLString text;
    ForEach([&](const TLString& name, const TLString& value) {
        text += TLString::Format(u"%s%s: %s%s", prefix, name, value, suffix);
    });
    return text;
}
