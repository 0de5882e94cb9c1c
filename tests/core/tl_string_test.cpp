#include "core/string/tl_string.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/string/tl_string_array.h"
#include "core/string/tl_string_library.h"

namespace {

TEST(TLStringSharing, CopiesShareOneBufferUntilOneIsWritten) {
    TLString a(u"shared text");
    TLString b = a;
    EXPECT_EQ(a.ShareCount(), 2);
    EXPECT_EQ(a.c_str(), b.c_str());
    b += u"!";
    EXPECT_EQ(a, u"shared text");
    EXPECT_EQ(b, u"shared text!");
    EXPECT_EQ(a.ShareCount(), 1);
}

TEST(TLStringSharing, ConstantTextIsNeitherCountedNorCopiedUntilWritten) {
    static const char16_t kText[] = u"constant";
    TLString c = TLString::Constant(kText, 8);
    TLString d = c;
    EXPECT_EQ(c.c_str(), kText);
    EXPECT_EQ(d.ShareCount(), 0);
    d.MakeUpper();
    EXPECT_EQ(d, u"CONSTANT");
    EXPECT_EQ(c, u"constant");
    EXPECT_EQ(u"literal"_tl.ShareCount(), 0);
}

TEST(TLStringEditing, AppendingOwnTextAndGrowingKeepTheText) {
    TLString s(u"ab");
    for (int i = 0; i < 5; ++i) s += s;
    EXPECT_EQ(s.length(), 64u);
    EXPECT_EQ(s.Mid(62), u"ab");
    s.Insert(1, u"--");
    s.Erase(0, 1);
    EXPECT_TRUE(s.StartsWith(u"--b"));
    EXPECT_EQ(TLString(u"  x y \t").Trim(), u"x y");
    TLString r(u"a/b/c");
    EXPECT_EQ(r.Replace(u"/", u"\\\\"), 2u);
    EXPECT_EQ(r, u"a\\\\b\\\\c");
}

TEST(TLStringEditing, InsertingEditsOnlyItsOwnCopy) {
    TLString original(u"abcdef");
    TLString copy = original;
    copy.Insert(3, u"XY");
    EXPECT_EQ(copy, u"abcXYdef");
    EXPECT_EQ(original, u"abcdef");
    copy.Insert(0, copy.view().substr(3, 2));  // its own text, moved by the growth
    EXPECT_EQ(copy, u"XYabcXYdef");
    copy.Reserve(100);
    copy.Insert(copy.length(), u"!");
    EXPECT_EQ(copy, u"XYabcXYdef!");
    TLString constant = u"lit"_tl;
    constant.Insert(1, u"-");
    EXPECT_EQ(constant, u"l-it");
    EXPECT_EQ(u"lit"_tl, u"lit");
}

TEST(TLStringEditing, TrailingBackslashHelpers) {
    EXPECT_EQ(TLString(u"C:\\x").EnsureTrailingBackslash(), u"C:\\x\\");
    EXPECT_EQ(TLString(u"C:\\x\\").EnsureTrailingBackslash(), u"C:\\x\\");
    EXPECT_EQ(TLString().EnsureTrailingBackslash(), u"");
    EXPECT_EQ(TLString(u"C:\\x\\\\\\").RemoveTrailingBackslashes(), u"C:\\x");
}

TEST(TLStringCase, ComparisonsFoldThroughTheLibraryTables) {
    EXPECT_EQ(TLString(u"NoUpgrade").CompareNoCase(u"noupgrade"), 0);
    EXPECT_EQ(TLString(u"\u00C9t\u00E9").CompareNoCase(u"\u00E9T\u00C9"), 0);
    EXPECT_LT(TLString(u"abc").CompareNoCase(u"ABD"), 0);
    EXPECT_EQ(TLString(u"Hello World").FindNoCase(u"WORLD"), 6u);
    EXPECT_TRUE(TLString(u"Setup.EXE").EndsWithNoCase(u".exe"));
    EXPECT_EQ(TLString(u"MiXeD \u00C4").MakeLower(), u"mixed \u00E4");
    EXPECT_EQ(TLString(u"\u00DF\u00FF").MakeUpper(), u"\u00DF\u00FF");  // no single-letter capital
}

TEST(TLStringCase, InstalledTablesReplaceTheDefault) {
    TLStringLibrary::Tables turkish = TLStringLibrary::DefaultTables();
    turkish.lower[u'I'] = 0xFD;  // dotless i, as a locale might map it
    TLStringLibrary::InstallTables(turkish);
    EXPECT_NE(TLString(u"I").CompareNoCase(u"i"), 0);
    TLStringLibrary::InstallTables(TLStringLibrary::DefaultTables());
    EXPECT_EQ(TLString(u"I").CompareNoCase(u"i"), 0);
}

struct FormatCase {
    const char16_t* expected;
    TLString actual;
};

TEST(TLStringFormat, PrintfConventionsGiveTheSameTextEverywhere) {
    const FormatCase cases[] = {
        {u"Finish (12 ms)", TLString::Format(u"Finish (%d ms)", 12)},
        {u"Finish (result: -1) (0 ms)", TLString::Format(u"Finish (result: %d) (%d ms)", -1, 0)},
        {u"C:\\a|D:\\b", TLString::Format(u"%s|%s", TLString(u"C:\\a"), u"D:\\b")},
        {u"9223372036854775807", TLString::Format(u"%I64d", 9223372036854775807LL)},
        {u"-9223372036854775808", TLString::Format(u"%I64d", (-9223372036854775807LL - 1))},
        {u"18446744073709551615", TLString::Format(u"%I64u", 18446744073709551615ULL)},
        {u"0x8A33F231", TLString::Format(u"0x%08X", 0x8A33F231u)},
        {u"[  7|7  |007]", TLString::Format(u"[%3d|%-3d|%03d]", 7, 7, 7)},
        {u"%d 100%", TLString::Format(u"%%d 100%%")},
        {u"x=", TLString::Format(u"x=%d")},  // a missing argument formats as nothing
        {u"ab", TLString::Format(u"%.2s", u"abc")},
        {u"1.50", TLString::Format(u"%.2f", 1.5)},
        {u"[-01.50|+2.5| 0.25|1.500000e+03]", TLString::Format(u"[%06.2f|%+.1f|% g|%e]", -1.5, 2.5, 0.25, 1500.0)},
        {u"[   inf|-nan]", TLString::Format(u"[%06f|%.1f]", HUGE_VAL, -NAN)},
        {u"Z", TLString::Format(u"%c", u'Z')},
    };
    for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected) << c.actual.ToUtf8();
}

TEST(TLStringUtf8, RoundTripsAndReplacesWhatIsInvalid) {
    const TLString text(u"Tonehall \u00A9 \u4E2D \U0001F3B5");
    EXPECT_EQ(TLString::FromUtf8(text.ToUtf8()), text);
    EXPECT_EQ(TLString::FromUtf8("a\xC0\x80z"), u"a\uFFFDz");  // overlong
    EXPECT_EQ(TLString::FromUtf8("\xE2\x82"), u"\uFFFD");      // cut short
    const char16_t lone[] = {u'a', 0xD800, u'b'};
    EXPECT_EQ(TLString(lone, 3).ToUtf8(),
              "a\xEF\xBF\xBD"
              "b");
}

TEST(TLStringNumbers, ToIntReadsLeadingDigitsOnly) {
    EXPECT_EQ(TLString(u" 42abc").ToInt(), 42);
    EXPECT_EQ(TLString(u"-7").ToInt(), -7);
    EXPECT_EQ(TLString(u"abc").ToInt(), 0);
    EXPECT_EQ(TLString(u"").ToInt64(), 0);
    EXPECT_EQ(TLString(u"-9223372036854775808").ToInt64(), INT64_MIN);  // no overflow at the smallest value
}

TEST(TLStringArrayTest, KeepsOrderAndFindsByCaseRule) {
    TLStringArray list{u"One", u"two"};
    list.Add(u"Three");
    list.InsertAt(0, u"zero");
    list.RemoveAt(2);
    ASSERT_EQ(list.GetCount(), 3u);
    EXPECT_EQ(list[0], u"zero");
    EXPECT_EQ(list.Find(u"three"), TLString::npos);
    EXPECT_EQ(list.Find(u"three", true), 2u);
}

}  // namespace
