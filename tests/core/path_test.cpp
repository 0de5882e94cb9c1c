// Path text: size texts, the name check, splitting, long-path prefixes and numbered free names.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "core/path/free_name.h"
#include "core/path/name_check.h"
#include "core/path/path_parts.h"
#include "core/path/size_text.h"

namespace {

TEST(SizeText, ShowsBytesAndBinaryUnits) {
    constexpr int64_t kKB = 1024;
    const struct {
        int64_t bytes;
        const char* text;
    } cases[] = {
        {0, "0 bytes"},
        {500, "500 bytes"},
        {1023, "1023 bytes"},
        {1024, "1.0 KB"},
        {1536, "1.5 KB"},
        {100 * kKB, "100 KB"},
        {1023 * kKB + 1023, "1023 KB"},
        {kKB * kKB, "1.0 MB"},
        {5 * kKB * kKB * kKB / 2, "2.5 GB"},
        {300 * kKB * kKB * kKB * kKB, "300 TB"},
        {kKB * kKB * kKB * kKB * kKB, "1.0 PB"},
        {2048 * kKB * kKB * kKB * kKB * kKB, "2048 PB"},  // no unit above PB
        {-500, "-500 bytes"},
        {-1536, "-1.5 KB"},
        {std::numeric_limits<int64_t>::min(), "-8192 PB"},
    };
    for (const auto& c : cases) EXPECT_EQ(tlpath::SizeText(c.bytes).ToUtf8(), c.text) << c.bytes;
}

TEST(CheckName, RefusesCharactersWindowsDoesNotAllowInNames) {
    const struct {
        const char16_t* path;
        bool valid;
    } cases[] = {
        {u"C:\\Program Files\\Tonehall\\Tonehall.exe", true},
        {u"\\\\server\\share\\folder", true},
        {u"\\\\?\\C:\\long\\path", true},
        {u"\\\\?\\UNC\\server\\share", true},
        {u"relative\\name.txt", true},
        {u"C:\\a:b", false},
        {u"C:\\a/b", false},
        {u"C:\\wild*", false},
        {u"C:\\what?", false},
        {u"C:\\\"quoted\"", false},
        {u"C:\\<less", false},
        {u"C:\\more>", false},
        {u"C:\\pipe|", false},
        {u"C::\\twice", false},
        {u"name:stream", false},
    };
    for (const auto& c : cases) EXPECT_EQ(tlpath::CheckName(c.path), c.valid) << TLString(c.path);
}

TEST(PathParts, SplitsFolderNameAndExtension) {
    const struct {
        const char16_t* path;
        const char16_t* folder;
        const char16_t* name;
        const char16_t* extension;
    } cases[] = {
        {u"C:\\a\\b.txt", u"C:\\a\\", u"b.txt", u".txt"},
        {u"C:\\a.d\\b", u"C:\\a.d\\", u"b", u""},
        {u"b.tar.gz", u"", u"b.tar.gz", u".gz"},
        {u"C:\\a\\.profile", u"C:\\a\\", u".profile", u""},
        {u"C:\\a\\", u"C:\\a\\", u"", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tlpath::FolderOf(c.path), c.folder) << TLString(c.path);
        EXPECT_EQ(tlpath::NameOf(c.path), c.name) << TLString(c.path);
        EXPECT_EQ(tlpath::ExtensionOf(c.path), c.extension) << TLString(c.path);
    }
}

TEST(PathParts, KnowsPathsWithADriveOrServer) {
    const struct {
        const char16_t* path;
        bool rooted;
    } cases[] = {
        {u"C:\\", true},
        {u"z:\\folder", true},
        {u"\\\\server\\share", true},
        {u"\\\\?\\C:\\a", true},
        {u"\\\\?\\UNC\\s\\x", true},
        {u"C:folder", false},
        {u"\\folder", false},
        {u"\\\\\\x", false},
        {u"folder\\sub", false},
        {u"1:\\folder", false},
        {u"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(tlpath::HasDriveOrServer(c.path), c.rooted) << TLString(c.path);
}

TEST(PathParts, PrefixesPathsOf260CharactersOrMore) {
    const TLString local_259 = u"C:\\" + TLString(std::u16string(256, u'a'));
    const TLString local_260 = local_259 + u"b";
    const TLString network_260 = u"\\\\server\\" + TLString(std::u16string(251, u'a'));
    ASSERT_EQ(local_259.length(), 259u);
    ASSERT_EQ(network_260.length(), 260u);

    EXPECT_EQ(tlpath::WithLongPathPrefix(local_259), local_259);
    EXPECT_EQ(tlpath::WithLongPathPrefix(local_260), u"\\\\?\\" + local_260);
    EXPECT_EQ(tlpath::WithLongPathPrefix(network_260), u"\\\\?\\UNC\\" + network_260.Mid(2));
    const TLString prefixed = tlpath::WithLongPathPrefix(local_260);
    EXPECT_EQ(tlpath::WithLongPathPrefix(prefixed), prefixed);

    EXPECT_EQ(tlpath::WithoutLongPathPrefix(prefixed), local_260);
    EXPECT_EQ(tlpath::WithoutLongPathPrefix(tlpath::WithLongPathPrefix(network_260)), network_260);
}

TEST(FreeName, CountsUpANumberBeforeTheExtension) {
    const struct {
        const char16_t* path;
        const char16_t* next;
    } cases[] = {
        {u"C:\\a\\file.txt", u"C:\\a\\file (2).txt"},
        {u"C:\\a\\file (2).txt", u"C:\\a\\file (3).txt"},
        {u"C:\\a\\file (9)", u"C:\\a\\file (10)"},
        {u"C:\\a\\file(2).txt", u"C:\\a\\file(2) (2).txt"},
        {u"C:\\a\\file (x).txt", u"C:\\a\\file (x) (2).txt"},
        {u"C:\\a\\file ().txt", u"C:\\a\\file () (2).txt"},
        {u"C:\\a.b\\folder\\", u"C:\\a.b\\folder (2)\\"},
        {u"C:\\a\\.hidden", u"C:\\a\\.hidden (2)"},
    };
    for (const auto& c : cases) EXPECT_EQ(tlpath::NextNumberedName(c.path), c.next) << TLString(c.path);
}

}  // namespace
