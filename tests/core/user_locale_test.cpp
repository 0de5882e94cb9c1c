// Numbers in stored and machine-read texts under a user locale with a decimal comma. ctest starts this
// program with the user's locale German (LC_ALL=de_DE.UTF-8, natively and under Wine), and every test
// switches the C library to the user's locale as startup does.
#include <gtest/gtest.h>

#include <clocale>

#include "core/path/size_text.h"
#include "core/property/tl_number_text.h"
#include "core/property/tl_property_map.h"
#include "core/string/tl_string.h"

namespace {

class DecimalCommaLocale : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(setlocale(LC_ALL, ""), nullptr);
        // Without a decimal comma these tests would prove nothing.
        ASSERT_STREQ(localeconv()->decimal_point, ",") << "run with LC_ALL=de_DE.UTF-8";
    }
    void TearDown() override { setlocale(LC_ALL, "C"); }
};

TEST_F(DecimalCommaLocale, FormattedNumbersKeepThePoint) {
    const struct {
        TLString actual;
        TLString expected;
    } cases[] = {
        {TLString::Format(u"%.1f", 1.0), u"1.0"}, {TLString::Format(u"%f", -2.5), u"-2.500000"},
        {TLString::Format(u"%g", 0.25), u"0.25"}, {TLString::Format(u"%.2e", 1500.0), u"1.50e+03"},
        {tlpath::SizeText(1536), u"1.5 KB"},      {tlpath::SizeText(5LL * 1024 * 1024 * 1024 / 2), u"2.5 GB"},
        {tlnumber::FormatDouble(0.1), u"0.1"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST_F(DecimalCommaLocale, NumbersWithThePointReadAsTheyAre) {
    EXPECT_EQ(tlnumber::ParseDouble(u" 1.5"), 1.5);
    EXPECT_EQ(tlnumber::ParseDouble(u"2.5e3"), 2500.0);
    // A comma ends the number, as it would in any locale.
    EXPECT_EQ(tlnumber::ParseDouble(u"1,5"), 1.0);
}

TEST_F(DecimalCommaLocale, PropertyHolderFormWritesAndReadsItsVersionWithThePoint) {
    TLPropertyMap map;
    map.SetString(u"Name", u"Tonehall");
    map.SetDouble(u"Volume", 0.75);
    const TLString text = map.ToXML(u"XMLPH", false, 1.0);
    EXPECT_TRUE(text.StartsWith(u"<XMLPH version=\"1.0\">")) << text.ToUtf8();
    EXPECT_NE(text.Find(u">0.75</Item>"), TLString::npos) << text.ToUtf8();

    TLPropertyMap back;
    ASSERT_TRUE(back.FromXML(text, u"XMLPH", 1.0));
    EXPECT_TRUE(back.IsEqual(map));
    EXPECT_EQ(back.GetDouble(u"Volume"), 0.75);
    EXPECT_EQ(TLPropertyMap().ToXML(u"Record", false, 2.5), u"<Record version=\"2.5\">\r\n</Record>");
}

}  // namespace
