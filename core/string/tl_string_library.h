#pragma once
// The string library's character tables: a 256-entry lower-case map, its upper-case inverse and
// character-class flags. Every case-insensitive comparison of the installer folds characters below
// 256 through these tables; characters above that go through the runtime's wide-character mapping.
// The tables start with a locale-independent default (ASCII and Latin-1); the Windows side rebuilds
// them from the user's locale at startup.

#include <cstdint>

namespace TLStringLibrary {

enum CharClass : uint8_t {
    kUpper = 0x01,
    kLower = 0x02,
    kDigit = 0x04,
    kSpace = 0x08,
    kPunctuation = 0x10,
    kControl = 0x20,
    kHexDigit = 0x80,
};

struct Tables {
    char16_t lower[256];
    char16_t upper[256];
    uint8_t flags[256];
};

// The locale-independent tables the library starts with.
const Tables& DefaultTables();
// Replaces the tables in use; called once at startup, before any other thread exists.
void InstallTables(const Tables& tables);
const Tables& CurrentTables();

char16_t ToLower(char16_t c);
char16_t ToUpper(char16_t c);
uint8_t Classify(char16_t c);  // 0 for characters above 255
inline bool IsSpace(char16_t c) { return (Classify(c) & kSpace) != 0; }
inline bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace TLStringLibrary

class TLString;
namespace TLStringLibrary {

// The next name in a series: a name ending in a parenthesised number of one to four digits without
// a leading zero gets that number plus one ("Name (2)" -> "Name (3)"); any other name gets " (2)".
TLString IncrementNumber(const TLString& name);

}  // namespace TLStringLibrary
