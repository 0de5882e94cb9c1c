#include "core/xml/file_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/core/file_text_reference.h"

#ifdef _WIN32
#include "tests/support/win_test_support.h"
#endif

namespace {

using tlxml::TextEncoding;

struct FileDecodeCase {
    std::string_view bytes;
    TextEncoding encoding;
    std::u16string_view text;
};

const FileDecodeCase kFileDecodeCases[] = {
    {"", TextEncoding::kUtf8, u""},
    {"<a/>", TextEncoding::kUtf8, u"<a/>"},
    {"\xEF\xBB\xBF<a>\xC3\xA9</a>", TextEncoding::kUtf8Bom, u"<a>\xE9</a>"},
    {"\xE2\x82\xAC\xF0\x9F\x98\x80", TextEncoding::kUtf8, u"\x20AC\U0001F600"},
    {std::string_view("\xFF\xFE<\0a\0\x3D\xD8\0\xDE", 10), TextEncoding::kUtf16LE, u"<a\U0001F600"},
    {std::string_view("\xFE\xFF\0<\0a", 6), TextEncoding::kUtf16BE, u"<a"},
    {std::string_view("\xFF\xFE"
                      "a\0b",
                      5),
     TextEncoding::kUtf16LE, u"a"},                                                // the odd byte is dropped
    {std::string_view("\xFF\xFE\x00\xD8", 4), TextEncoding::kUtf16LE, u"\xD800"},  // kept as it is
    {"caf\xE9", TextEncoding::kAnsi, u"caf\xE9"},
    {"\x80\x9F\x81", TextEncoding::kAnsi, u"\x20AC\x0178\x0081"},
    {"\xC0\xAF", TextEncoding::kAnsi, u"\xC0\xAF"},                      // overlong form
    {"\xED\xA0\x80", TextEncoding::kAnsi, u"\xED\xA0\x20AC"},            // an encoded surrogate
    {"\xF4\x90\x80\x80", TextEncoding::kAnsi, u"\xF4\x90\x20AC\x20AC"},  // above U+10FFFF
    {"a\xE2\x82", TextEncoding::kAnsi, u"a\xE2\x201A"},                  // cut short
    {"\xEF\xBB\xBF\xFF", TextEncoding::kUtf8Bom, u"\xFFFD"},
};

class FileTextDecode : public testing::TestWithParam<FileDecodeCase> {};

TEST_P(FileTextDecode, FindsTheEncodingAndTheText) {
    const FileDecodeCase& c = GetParam();
    TextEncoding found;
    const TLString text = tlxml::DecodeFileText(c.bytes, &found);
    EXPECT_EQ(found, c.encoding);
    EXPECT_EQ(text, c.text);
}

INSTANTIATE_TEST_SUITE_P(Table, FileTextDecode, testing::ValuesIn(kFileDecodeCases));

// Sequences that decide between UTF-8 and ANSI text, or that a decoder working in blocks of bytes
// could get wrong at a block's edge.
constexpr std::string_view kTrickySequences[] = {
    "\xC3\xA9",
    "\xE2\x82\xAC",
    "\xF0\x9F\x98\x80",
    "\xEF\xBF\xBF",
    "\xF4\x8F\xBF\xBF",
    "\xC0\xAF",
    "\xC1\xBF",
    "\xE0\x80\xAF",
    "\xE0\x9F\xBF",
    "\xF0\x80\x80\xAF",
    "\xF0\x8F\xBF\xBF",
    "\xED\xA0\x80",
    "\xED\xBF\xBF",
    "\xF4\x90\x80\x80",
    "\xF5\x80\x80\x80",
    "\xF8\x88\x80\x80",
    "\xFF",
    "\xFE",
    "\x80",
    "\xBF",
    "\xC3",
    "\xE2\x82",
    "\xF0\x9F\x98",
    "\xC3\x41",
    "\xE2\x28\xA1",
    "\x80\x9F",
    "\xED\x9F\xBF",
    "\xEE\x80\x80",
    std::string_view("\0", 1),
};

// Every tricky sequence after 0 to 33 ASCII bytes (so across the 16-byte edges) or after letters of
// other scripts, alone at the end or followed by more text, with and without the UTF-8 byte order
// mark, and runs of letters of other scripts across the edges: read exactly as the plain reference
// reads them.
TEST(FileTextDecode, MatchesTheReferenceAcrossBlockEdges) {
    std::vector<std::string> inputs;
    for (size_t prefix = 0; prefix <= 33; ++prefix) {
        const std::string ascii(prefix, 'a');
        // Letters of two and of three bytes before the sequence as well, so that it meets every lane
        // of the reads that take several letters at once.
        std::string cyrillic = ascii.substr(0, prefix % 3), chinese = cyrillic;
        for (size_t i = 0; i < prefix % 9; ++i) cyrillic += "\xD0\x96", chinese += "\xE4\xB8\xAD";
        for (const std::string& before : {ascii, cyrillic, chinese})
            for (std::string_view sequence : kTrickySequences)
                for (std::string_view after : {"", "b", "<after attribute=\"1\"/>", "\xD0\x96\xD0\x96"})
                    inputs.push_back(before + std::string(sequence) + std::string(after));
        for (std::string_view letter : {"\xD0\x96", "\xE4\xB8\xAD", "\xF0\x9F\x98\x80"}) {
            std::string run = ascii;
            for (int i = 0; i < 20; ++i) run += letter;
            inputs.push_back(run);
            inputs.push_back(run + "\x96");
        }
    }
    for (const std::string& bytes : inputs) {
        for (const std::string& input : {bytes, "\xEF\xBB\xBF" + bytes}) {
            SCOPED_TRACE(testing::PrintToString(input));
            const auto [text, encoding] = tlxml_reference::DecodeFileText(input);
            TextEncoding found;
            EXPECT_EQ(tlxml::DecodeFileText(input, &found), text);
            EXPECT_EQ(found, encoding);
        }
    }
}

TEST(FileTextDecode, Utf16OfEveryLengthMatchesTheReference) {
    std::string units;
    for (int i = 0; i < 40; ++i) units += static_cast<char>(i % 3 == 0 ? 0xD8 + i : 'a' + i);
    for (size_t length = 0; length <= units.size(); ++length) {
        for (std::string_view bom : {"\xFF\xFE", "\xFE\xFF"}) {
            const std::string input = std::string(bom) + units.substr(0, length);
            SCOPED_TRACE(testing::PrintToString(input));
            TextEncoding found;
            EXPECT_EQ(tlxml::DecodeFileText(input, &found), tlxml_reference::DecodeFileText(input).first);
            EXPECT_EQ(found, tlxml_reference::DecodeFileText(input).second);
        }
    }
}

TEST(FileTextEncode, EveryEncodingReadsBackAsWritten) {
    const std::u16string_view text = u"<a b='\xE9'>\x20AC \U0001F600</a>";
    for (TextEncoding encoding :
         {TextEncoding::kUtf8, TextEncoding::kUtf8Bom, TextEncoding::kUtf16LE, TextEncoding::kUtf16BE}) {
        TextEncoding found;
        EXPECT_EQ(tlxml::DecodeFileText(tlxml::EncodeFileText(text, encoding), &found), text);
        EXPECT_EQ(found, encoding);
    }
    EXPECT_EQ(tlxml::EncodeFileText(u"\xE9\x20AC\x3A9", TextEncoding::kAnsi), "\xE9\x80?");
    EXPECT_EQ(tlxml::EncodeFileText(u"a\xDC00", TextEncoding::kUtf8), "a\xEF\xBF\xBD");
    EXPECT_EQ(tlxml::EncodeFileText(u"a", TextEncoding::kUtf16BE), std::string("\xFE\xFF\0a", 4));
}

#ifdef _WIN32
TEST(FileTextWindows, WrittenFileReadsBackWithItsEncoding) {
    tltest::ScratchFolder scratch;
    const TLString path = scratch.Path(u"Install.xml");
    ASSERT_TRUE(tlxml::WriteTextFile(path, u"<TLIC>\x20AC</TLIC>", TextEncoding::kUtf16LE));
    EXPECT_EQ(tltest::ReadFileBytes(path), std::string("\xFF\xFE<\0T\0L\0I\0C\0>\0\xAC\x20<\0/\0T\0L\0I\0C\0>\0", 30));
    TLString text;
    TextEncoding found;
    ASSERT_TRUE(tlxml::ReadTextFile(path, text, &found));
    EXPECT_EQ(text, u"<TLIC>\x20AC</TLIC>");
    EXPECT_EQ(found, TextEncoding::kUtf16LE);
    EXPECT_FALSE(tlxml::ReadTextFile(scratch.Path(u"missing.xml"), text));
}
#endif

}  // namespace
