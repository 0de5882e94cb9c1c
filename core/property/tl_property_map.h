#pragma once
// TLPropertyMap: the installer's general bag of named values. Names compare case-insensitively,
// values are text; the typed operations convert numbers to and from their text forms. The map behind
// it exists only while it holds an entry.
//
// It travels in two XML forms: the property-holder form (root "XMLPH", see ToXML / FromXML) and, as the
// extra data of a TLFilename, the file-name form (root "XMLFN").

#include <cstdint>
#include <memory>

#include "core/property/tl_serial_buffer.h"
#include "core/property/tl_string_map.h"
#include "core/string/tl_string.h"

class TLXMLDocument;

class TLPropertyMap {
public:
    TLPropertyMap() = default;
    TLPropertyMap(const TLPropertyMap& other) { CopyFrom(other); }
    TLPropertyMap& operator=(const TLPropertyMap& other) {
        CopyFrom(other);
        return *this;
    }
    virtual ~TLPropertyMap();

    virtual bool Exists(const TLString& name) const;
    virtual TLString GetString(const TLString& name, const TLString& fallback = TLString()) const;
    virtual int32_t GetInt(const TLString& name, int32_t fallback = 0) const;
    virtual int64_t GetInt64(const TLString& name, int64_t fallback = 0) const;
    virtual double GetDouble(const TLString& name, double fallback = 0) const;
    virtual uintptr_t GetPointer(const TLString& name, uintptr_t fallback = 0) const;

    // With remove_if_empty set, an empty value removes the name instead of storing it.
    virtual void SetString(const TLString& name, const TLString& value, bool remove_if_empty = false);
    virtual void SetInt(const TLString& name, int32_t value);
    virtual void SetInt64(const TLString& name, int64_t value);
    virtual void SetPointer(const TLString& name, uintptr_t value);
    virtual void SetDouble(const TLString& name, double value);

    virtual void Clear();
    virtual void Remove(const TLString& name);
    virtual bool CopyFrom(const TLPropertyMap& other);
    // Same names (letter case aside) with exactly the same values.
    virtual bool IsEqual(const TLPropertyMap& other) const;

    // A 32-bit count, then each name and value; the count 0 when `include` is clear or the map is empty.
    virtual void Save(TLSerialBuffer& buffer, bool include) const;
    // Replaces the entries with those saved at `position`, which moves past them. False when the
    // buffer ends early; the entries read until then are kept.
    virtual bool Load(const TLSerialBuffer& buffer, size_t& position);
    virtual bool Load(const TLSerialBuffer& buffer);

    // The property-holder form: <root version="1.0"> and one Item element per entry.
    virtual TLString ToXML(const TLString& root_name, bool skip_if_empty, double version) const;
    // Reads the form back; false (and an empty map) without the root element or with another version.
    virtual bool FromXML(const TLString& text, const TLString& root_name, double version);
    // Appends an Item element per entry to the document.
    virtual void WriteItems(TLXMLDocument& document) const;
    // Replaces the entries with the Item children of the document's current element.
    virtual void ReadItems(TLXMLDocument& document);

    // "prefix name: value suffix" for every entry, joined.
    virtual TLString ToText(const TLString& prefix, const TLString& suffix) const;

    size_t GetCount() const { return map_ ? map_->GetCount() : 0; }
    bool IsEmpty() const { return GetCount() == 0; }
    // Whether the map behind the entries exists; for tests of its lifetime.
    bool HasMap() const { return map_ != nullptr; }
    // Calls visit(name, value) for every entry in the map's order.
    template <typename Visit>
    void ForEach(Visit&& visit) const {
        if (map_) map_->ForEach(visit);
    }

private:
    std::unique_ptr<TLStringMap> map_;
};
