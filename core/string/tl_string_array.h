#pragma once
// TLStringArray: an ordered list of strings that owns its elements.

#include <algorithm>
#include <vector>

#include "tl_string.h"

class TLStringArray {
public:
    TLStringArray() = default;
    TLStringArray(std::initializer_list<TLString> items) : items_(items) {}

    // The entries of a list such as "mp3; ogg;;wav", each trimmed, empty ones left out.
    static TLStringArray FromList(const TLString& text, char16_t separator = u';') {
        TLStringArray entries;
        for (size_t start = 0; start <= text.length();) {
            size_t end = text.Find(separator, start);
            if (end == TLString::npos) end = text.length();
            TLString entry = text.Mid(start, end - start);
            entry.Trim();
            if (!entry.empty()) entries.Add(std::move(entry));
            start = end + 1;
        }
        return entries;
    }

    size_t GetCount() const { return items_.size(); }
    bool IsEmpty() const { return items_.empty(); }
    const TLString& operator[](size_t index) const { return items_[index]; }
    TLString& operator[](size_t index) { return items_[index]; }

    void Add(TLString item) { items_.push_back(std::move(item)); }
    void InsertAt(size_t index, TLString item) {
        items_.insert(items_.begin() + std::min(index, items_.size()), std::move(item));
    }
    void RemoveAt(size_t index) {
        if (index < items_.size()) items_.erase(items_.begin() + index);
    }
    void Clear() { items_.clear(); }

    // Index of the first element equal to `item` (letter case ignored when asked), or TLString::npos.
    size_t Find(std::u16string_view item, bool ignore_case = false) const {
        for (size_t i = 0; i < items_.size(); ++i)
            if (ignore_case ? items_[i].EqualsNoCase(item) : items_[i] == item) return i;
        return TLString::npos;
    }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }
    friend bool operator==(const TLStringArray& a, const TLStringArray& b) { return a.items_ == b.items_; }

private:
    std::vector<TLString> items_;
};
