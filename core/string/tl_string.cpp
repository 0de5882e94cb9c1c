#include "tl_string.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "tl_string_library.h"

struct TLString::Buffer {
    std::atomic<long> refs;
    size_t capacity;  // characters, not counting the terminating zero
    char16_t text[1];

    static Buffer* Allocate(size_t capacity) {
        void* memory = ::operator new(offsetof(Buffer, text) + (capacity + 1) * sizeof(char16_t));
        Buffer* b = static_cast<Buffer*>(memory);
        new (&b->refs) std::atomic<long>(1);
        b->capacity = capacity;
        return b;
    }
    void AddRef() { refs.fetch_add(1, std::memory_order_relaxed); }
    void Unref() {
        if (refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            refs.~atomic();
            ::operator delete(this);
        }
    }
};

namespace {

size_t Length16(const char16_t* text) {
    size_t n = 0;
    if (text)
        while (text[n]) ++n;
    return n;
}

}  // namespace

TLString::TLString(const char16_t* text) : TLString(text, Length16(text)) {}

TLString::TLString(const char16_t* text, size_t length) {
    if (length == 0) return;
    MakeUnique(length);
    std::memcpy(buffer_->text, text, length * sizeof(char16_t));
    length_ = length;
    buffer_->text[length_] = 0;
}

TLString::TLString(const TLString& other) : buffer_(other.buffer_), text_(other.text_), length_(other.length_) {
    if (buffer_) buffer_->AddRef();
}

TLString::TLString(TLString&& other) noexcept : buffer_(other.buffer_), text_(other.text_), length_(other.length_) {
    other.buffer_ = nullptr;
    other.text_ = u"";
    other.length_ = 0;
}

TLString::~TLString() { Release(); }

TLString& TLString::operator=(const TLString& other) {
    if (this != &other) {
        if (other.buffer_) other.buffer_->AddRef();
        Release();
        buffer_ = other.buffer_;
        text_ = other.text_;
        length_ = other.length_;
    }
    return *this;
}

TLString& TLString::operator=(TLString&& other) noexcept {
    if (this != &other) {
        Release();
        buffer_ = other.buffer_;
        text_ = other.text_;
        length_ = other.length_;
        other.buffer_ = nullptr;
        other.text_ = u"";
        other.length_ = 0;
    }
    return *this;
}

TLString TLString::Constant(const char16_t* text, size_t length) {
    TLString s;
    s.text_ = text;
    s.length_ = length;
    return s;
}

void TLString::Release() {
    if (buffer_) buffer_->Unref();
    buffer_ = nullptr;
    text_ = u"";
    length_ = 0;
}

// Gives this string a buffer of its own with room for at least `capacity` characters, keeping the text.
void TLString::MakeUnique(size_t capacity) {
    capacity = std::max(capacity, length_);
    if (buffer_ && buffer_->refs.load(std::memory_order_acquire) == 1 && buffer_->capacity >= capacity) return;
    size_t grown = capacity;
    if (buffer_ && capacity > buffer_->capacity) grown = std::max(capacity, buffer_->capacity + buffer_->capacity / 2);
    Buffer* fresh = Buffer::Allocate(grown);
    std::memcpy(fresh->text, text_, length_ * sizeof(char16_t));
    fresh->text[length_] = 0;
    const size_t length = length_;
    Release();
    buffer_ = fresh;
    text_ = fresh->text;
    length_ = length;
}

long TLString::ShareCount() const { return buffer_ ? buffer_->refs.load() : 0; }

char16_t* TLString::GetBuffer(size_t minimum_length) {
    MakeUnique(minimum_length);
    return buffer_->text;
}

void TLString::ReleaseBuffer(size_t new_length) {
    if (!buffer_) return;
    if (new_length == npos) new_length = Length16(buffer_->text);
    length_ = std::min(new_length, buffer_->capacity);
    buffer_->text[length_] = 0;
    if (length_ == 0) Release();
}

void TLString::SetAt(size_t index, char16_t c) {
    if (index >= length_) return;
    MakeUnique(length_);
    buffer_->text[index] = c;
}

void TLString::Clear() { Release(); }

TLString& TLString::Append(std::u16string_view text) {
    if (text.empty()) return *this;
    if (length_ == 0 && !buffer_) return *this = TLString(text.data(), text.size());
    // The appended text may live in this string's own buffer, which the growth may free.
    const bool overlaps = text.data() >= text_ && text.data() <= text_ + length_;
    if (overlaps) return Append(TLString(text.data(), text.size()).view());
    MakeUnique(length_ + text.size());
    std::memmove(buffer_->text + length_, text.data(), text.size() * sizeof(char16_t));
    length_ += text.size();
    buffer_->text[length_] = 0;
    return *this;
}

TLString& TLString::Append(char16_t c) { return Append(std::u16string_view(&c, 1)); }

void TLString::Insert(size_t index, std::u16string_view text) {
    if (text.empty()) return;
    // The inserted text may live in this string's own buffer, which the growth may free.
    if (text.data() >= text_ && text.data() <= text_ + length_) return Insert(index, TLString(text).view());
    index = std::min(index, length_);
    MakeUnique(length_ + text.size());
    std::memmove(buffer_->text + index + text.size(), buffer_->text + index, (length_ - index) * sizeof(char16_t));
    std::memcpy(buffer_->text + index, text.data(), text.size() * sizeof(char16_t));
    length_ += text.size();
    buffer_->text[length_] = 0;
}

void TLString::Erase(size_t index, size_t count) {
    if (index >= length_) return;
    count = std::min(count, length_ - index);
    if (count == 0) return;
    MakeUnique(length_);
    std::memmove(buffer_->text + index, buffer_->text + index + count, (length_ - index - count) * sizeof(char16_t));
    length_ -= count;
    buffer_->text[length_] = 0;
    if (length_ == 0) Release();
}

void TLString::Truncate(size_t length) {
    if (length < length_) Erase(length);
}

TLString TLString::Left(size_t count) const { return Mid(0, count); }

TLString TLString::Mid(size_t index, size_t count) const {
    if (index >= length_) return {};
    count = std::min(count, length_ - index);
    if (index == 0 && count == length_) return *this;
    return TLString(text_ + index, count);
}

TLString TLString::Right(size_t count) const {
    count = std::min(count, length_);
    return Mid(length_ - count);
}

size_t TLString::Find(std::u16string_view what, size_t from) const { return view().find(what, from); }
size_t TLString::Find(char16_t c, size_t from) const { return view().find(c, from); }
size_t TLString::ReverseFind(char16_t c) const { return view().rfind(c); }
size_t TLString::FindOneOf(std::u16string_view set, size_t from) const { return view().find_first_of(set, from); }

size_t TLString::FindNoCase(std::u16string_view what, size_t from) const {
    if (what.size() > length_) return npos;
    if (what.empty()) return from <= length_ ? from : npos;
    const char16_t first = TLStringLibrary::ToLower(what[0]);
    for (size_t i = from; i + what.size() <= length_; ++i) {
        if (TLStringLibrary::ToLower(text_[i]) != first) continue;
        size_t k = 1;
        while (k < what.size() && TLStringLibrary::ToLower(text_[i + k]) == TLStringLibrary::ToLower(what[k])) ++k;
        if (k == what.size()) return i;
    }
    return npos;
}

int TLString::Compare(std::u16string_view other) const {
    const int c = view().compare(other);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

int TLString::CompareNoCase(std::u16string_view other) const {
    const size_t n = std::min(length_, other.size());
    for (size_t i = 0; i < n; ++i) {
        const char16_t a = TLStringLibrary::ToLower(text_[i]);
        const char16_t b = TLStringLibrary::ToLower(other[i]);
        if (a != b) return a < b ? -1 : 1;
    }
    return length_ == other.size() ? 0 : (length_ < other.size() ? -1 : 1);
}

bool TLString::StartsWith(std::u16string_view prefix) const { return view().substr(0, prefix.size()) == prefix; }
bool TLString::EndsWith(std::u16string_view suffix) const {
    return length_ >= suffix.size() && view().substr(length_ - suffix.size()) == suffix;
}
bool TLString::StartsWithNoCase(std::u16string_view prefix) const {
    return length_ >= prefix.size() && Left(prefix.size()).CompareNoCase(prefix) == 0;
}
bool TLString::EndsWithNoCase(std::u16string_view suffix) const {
    return length_ >= suffix.size() && Right(suffix.size()).CompareNoCase(suffix) == 0;
}

TLString& TLString::MakeLower() {
    for (size_t i = 0; i < length_; ++i)
        if (TLStringLibrary::ToLower(text_[i]) != text_[i]) SetAt(i, TLStringLibrary::ToLower(text_[i]));
    return *this;
}

TLString& TLString::MakeUpper() {
    for (size_t i = 0; i < length_; ++i)
        if (TLStringLibrary::ToUpper(text_[i]) != text_[i]) SetAt(i, TLStringLibrary::ToUpper(text_[i]));
    return *this;
}

TLString& TLString::TrimLeft() {
    size_t i = 0;
    while (i < length_ && TLStringLibrary::IsSpace(text_[i])) ++i;
    Erase(0, i);
    return *this;
}

TLString& TLString::TrimRight() {
    size_t n = length_;
    while (n > 0 && TLStringLibrary::IsSpace(text_[n - 1])) --n;
    Truncate(n);
    return *this;
}

TLString& TLString::Trim() { return TrimRight().TrimLeft(); }

size_t TLString::Replace(std::u16string_view from, std::u16string_view to) {
    if (from.empty()) return 0;
    size_t count = 0, start = 0, hit;
    TLString result;
    while ((hit = view().find(from, start)) != npos) {
        result.Append(view().substr(start, hit - start)).Append(to);
        start = hit + from.size();
        ++count;
    }
    if (count) *this = result.Append(view().substr(start));
    return count;
}

TLString& TLString::EnsureTrailingBackslash() {
    if (length_ && Last() != u'\\') Append(u'\\');
    return *this;
}

TLString& TLString::RemoveTrailingBackslashes() {
    size_t n = length_;
    while (n > 0 && text_[n - 1] == u'\\') --n;
    Truncate(n);
    return *this;
}

int64_t TLString::ToInt64() const {
    size_t i = 0;
    while (i < length_ && TLStringLibrary::IsSpace(text_[i])) ++i;
    bool negative = false;
    if (i < length_ && (text_[i] == u'-' || text_[i] == u'+')) negative = text_[i++] == u'-';
    uint64_t value = 0;
    for (; i < length_ && TLStringLibrary::IsDigit(text_[i]); ++i) value = value * 10 + (text_[i] - u'0');
    return static_cast<int64_t>(negative ? 0 - value : value);  // unsigned negation: no overflow at the minimum
}

TLString operator+(const TLString& a, std::u16string_view b) {
    TLString r = a;
    return r.Append(b);
}

TLString operator+(std::u16string_view a, const TLString& b) {
    TLString r;
    r.Reserve(a.size() + b.length());
    r.Append(a);
    return r.Append(b.view());
}
