#pragma once
// TLString: the UTF-16 string of the whole installer.
//
// Text lives in shared, reference-counted buffers that are copied on the first write; a string made
// from a literal with the _tl suffix points at the literal itself and is never counted or freed.
// Characters are char16_t so that this header builds on any platform; on Windows, where wchar_t is
// 16 bits wide, wc() hands the text to the API unchanged.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iosfwd>
#include <string>
#include <string_view>
#include <variant>

class TLString {
public:
    static constexpr size_t npos = static_cast<size_t>(-1);

    TLString() = default;
    TLString(const char16_t* text);  // NOLINT: implicit, as a literal should convert
    TLString(const char16_t* text, size_t length);
    explicit TLString(std::u16string_view text) : TLString(text.data(), text.size()) {}
    TLString(const TLString& other);
    TLString(TLString&& other) noexcept;
    ~TLString();
    TLString& operator=(const TLString& other);
    TLString& operator=(TLString&& other) noexcept;

    // Points at constant text that outlives the string; nothing is copied, counted or freed.
    static TLString Constant(const char16_t* text, size_t length);

#if WCHAR_MAX == 0xFFFF
    TLString(const wchar_t* text) : TLString(reinterpret_cast<const char16_t*>(text)) {}  // NOLINT
    TLString(const wchar_t* text, size_t length) : TLString(reinterpret_cast<const char16_t*>(text), length) {}
    const wchar_t* wc() const { return reinterpret_cast<const wchar_t*>(c_str()); }
#endif

    static TLString FromUtf8(std::string_view utf8);
    std::string ToUtf8() const;

    // printf conventions: %s (TLString or char16_t text), %d %i %u %x %X %c %f %e %g %%, the I64 and
    // l/ll size prefixes, flags "-0+ ", width and precision (also as *). Numbers always take the point
    // as decimal separator, whatever locale the C library follows. A mismatched or missing argument
    // formats as nothing instead of reading past the list.
    class Arg;
    static TLString FormatArgs(std::u16string_view format, std::initializer_list<Arg> args);
    template <typename... T>
    static TLString Format(std::u16string_view format, const T&... args) {
        return FormatArgs(format, {Arg(args)...});
    }

    size_t length() const { return length_; }
    bool empty() const { return length_ == 0; }
    const char16_t* c_str() const { return text_; }
    const char16_t* data() const { return text_; }
    std::u16string_view view() const { return {text_, length_}; }
    operator std::u16string_view() const { return view(); }  // NOLINT
    char16_t operator[](size_t index) const { return text_[index]; }
    char16_t Last() const { return length_ ? text_[length_ - 1] : u'\0'; }

    // Writable access; makes the buffer this string's own first.
    char16_t* GetBuffer(size_t minimum_length);
    void ReleaseBuffer(size_t new_length = npos);
    void SetAt(size_t index, char16_t c);

    void Clear();
    // Room for `capacity` characters, so that appending up to that length allocates no more.
    void Reserve(size_t capacity) { MakeUnique(capacity); }
    TLString& Append(std::u16string_view text);
    TLString& Append(char16_t c);
    TLString& operator+=(std::u16string_view text) { return Append(text); }
    TLString& operator+=(const TLString& text) { return Append(text.view()); }
    TLString& operator+=(const char16_t* text) { return Append(std::u16string_view(text)); }
    TLString& operator+=(char16_t c) { return Append(c); }
    void Insert(size_t index, std::u16string_view text);
    void Erase(size_t index, size_t count = npos);
    void Truncate(size_t length);

    TLString Left(size_t count) const;
    TLString Mid(size_t index, size_t count = npos) const;
    TLString Right(size_t count) const;

    size_t Find(std::u16string_view what, size_t from = 0) const;
    size_t Find(char16_t c, size_t from = 0) const;
    size_t ReverseFind(char16_t c) const;
    size_t FindNoCase(std::u16string_view what, size_t from = 0) const;
    size_t FindOneOf(std::u16string_view set, size_t from = 0) const;

    int Compare(std::u16string_view other) const;
    int CompareNoCase(std::u16string_view other) const;
    bool EqualsNoCase(std::u16string_view other) const { return CompareNoCase(other) == 0; }
    bool StartsWith(std::u16string_view prefix) const;
    bool StartsWithNoCase(std::u16string_view prefix) const;
    bool EndsWith(std::u16string_view suffix) const;
    bool EndsWithNoCase(std::u16string_view suffix) const;

    TLString& MakeLower();
    TLString& MakeUpper();
    TLString& Trim();
    TLString& TrimLeft();
    TLString& TrimRight();
    size_t Replace(std::u16string_view from, std::u16string_view to);
    // Adds a backslash unless the text already ends in one; an empty text stays empty.
    TLString& EnsureTrailingBackslash();
    TLString& RemoveTrailingBackslashes();

    // Leading white space, a sign, then decimal digits; 0 for text without leading digits.
    int64_t ToInt64() const;
    int ToInt() const { return static_cast<int>(ToInt64()); }

    friend bool operator==(const TLString& a, const TLString& b) { return a.view() == b.view(); }
    friend bool operator==(const TLString& a, std::u16string_view b) { return a.view() == b; }
    friend bool operator==(const TLString& a, const char16_t* b) { return a.view() == b; }
    friend bool operator<(const TLString& a, const TLString& b) { return a.view() < b.view(); }
    friend TLString operator+(const TLString& a, std::u16string_view b);
    friend TLString operator+(const TLString& a, const TLString& b) { return a + b.view(); }
    friend TLString operator+(const TLString& a, const char16_t* b) { return a + std::u16string_view(b); }
    friend TLString operator+(const TLString& a, char16_t b) { return a + std::u16string_view(&b, 1); }
    friend TLString operator+(std::u16string_view a, const TLString& b);
    friend TLString operator+(const char16_t* a, const TLString& b) { return std::u16string_view(a) + b; }

    // Number of strings that share this one's buffer (0 for constant or empty text); for tests.
    long ShareCount() const;

private:
    struct Buffer;
    Buffer* buffer_ = nullptr;  // null for constant and empty text
    const char16_t* text_ = u"";
    size_t length_ = 0;

    void Release();
    void MakeUnique(size_t capacity);
};

class TLString::Arg {
public:
    Arg(const TLString& s) : value_(s.view()) {}                                // NOLINT
    Arg(const char16_t* s) : value_(std::u16string_view(s ? s : u"(null)")) {}  // NOLINT
    Arg(std::u16string_view s) : value_(s) {}                                   // NOLINT
#if WCHAR_MAX == 0xFFFF
    Arg(const wchar_t* s) : Arg(reinterpret_cast<const char16_t*>(s)) {}  // NOLINT
#endif
    Arg(char16_t c) : value_(static_cast<uint64_t>(c)) {}            // NOLINT
    Arg(bool v) : value_(static_cast<int64_t>(v)) {}                 // NOLINT
    Arg(int v) : value_(static_cast<int64_t>(v)) {}                  // NOLINT
    Arg(long v) : value_(static_cast<int64_t>(v)) {}                 // NOLINT
    Arg(long long v) : value_(static_cast<int64_t>(v)) {}            // NOLINT
    Arg(unsigned v) : value_(static_cast<uint64_t>(v)) {}            // NOLINT
    Arg(unsigned long v) : value_(static_cast<uint64_t>(v)) {}       // NOLINT
    Arg(unsigned long long v) : value_(static_cast<uint64_t>(v)) {}  // NOLINT
    Arg(double v) : value_(v) {}                                     // NOLINT

    const std::u16string_view* text() const { return std::get_if<std::u16string_view>(&value_); }
    bool is_number() const { return !text(); }
    int64_t as_signed() const;
    uint64_t as_unsigned() const { return static_cast<uint64_t>(as_signed()); }
    double as_double() const;

private:
    std::variant<std::u16string_view, int64_t, uint64_t, double> value_;
};

// Writes the text as UTF-8 (test failure messages, logs of the native build).
std::ostream& operator<<(std::ostream& out, const TLString& text);

inline TLString operator""_tl(const char16_t* text, size_t length) { return TLString::Constant(text, length); }
