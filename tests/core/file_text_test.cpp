#include "core/xml/file_text.h"

#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include "tests/support/win_test_support.h"
#endif

namespace {

using tlxml::TextEncoding;

struct DecodeCase {
    std::string_view bytes;
    TextEncoding encoding;
    std::u16string_view text;
};

const DecodeCase kDecodeCases[] = {
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

class FileTextDecode : public testing::TestWithParam<DecodeCase> {};

TEST_P(FileTextDecode, FindsTheEncodingAndTheText) {
    const DecodeCase& c = GetParam();
    TextEncoding found;
    const TLString text = tlxml::DecodeFileText(c.bytes, &found);
    EXPECT_EQ(found, c.encoding);
    EXPECT_EQ(text, c.text);
}

INSTANTIATE_TEST_SUITE_P(Table, FileTextDecode, testing::ValuesIn(kDecodeCases));

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
