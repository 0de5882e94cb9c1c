#pragma once
// File text: turns the bytes of a text file into the UTF-16 text a document works on, and back.
//
// A file is UTF-16LE or UTF-16BE when it starts with that byte order mark, UTF-8 when it starts with
// the UTF-8 byte order mark or its bytes are valid UTF-8, and plain ANSI text (Windows-1252)
// otherwise. Every reader of Install.xml, package files and the file association database goes
// through here, so a file decodes the same way wherever it is read.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/string/tl_string.h"

namespace tlxml {

enum class TextEncoding {
    kUtf8,     // no byte order mark
    kUtf8Bom,  // EF BB BF
    kUtf16LE,  // FF FE
    kUtf16BE,  // FE FF
    kAnsi,     // Windows-1252, for bytes that are not valid UTF-8
};

// The encoding of a file's bytes as described above.
TextEncoding DetectTextEncoding(std::string_view bytes);

// The document text of a file's bytes, without the byte order mark. An odd trailing byte of UTF-16
// text is dropped; malformed UTF-8 never occurs (such bytes are read as ANSI text); unpaired
// surrogates of UTF-16 text are kept as they are. `encoding`, when given, receives what was found.
TLString DecodeFileText(std::string_view bytes, TextEncoding* encoding = nullptr);

// The bytes of a file holding `text` in `encoding`, with the byte order mark that encoding names.
// Characters ANSI text cannot hold become "?"; an unpaired surrogate becomes U+FFFD in UTF-8.
std::string EncodeFileText(std::u16string_view text, TextEncoding encoding);

#ifdef _WIN32
// Reads a whole file and decodes it; false when the file cannot be opened or read.
bool ReadTextFile(const TLString& path, TLString& text, TextEncoding* encoding = nullptr);
// Writes `text` in `encoding`, replacing the file; false when it cannot be written completely.
bool WriteTextFile(const TLString& path, std::u16string_view text, TextEncoding encoding = TextEncoding::kUtf8Bom);
#endif

}  // namespace tlxml
