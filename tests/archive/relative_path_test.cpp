// Names taken from archives and packages stay below the folder they are placed in.

#include <gtest/gtest.h>

#include "core/path/relative_path.h"

namespace {

TEST(RelativePath, SplitsNamesThatStayBelowTheFolder) {
    std::vector<TLString> names;
    ASSERT_TRUE(tlpath::SplitRelativePath(u"skins/Blue Night\\main.xml", names));
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0], u"skins");
    EXPECT_EQ(names[1], u"Blue Night");
    EXPECT_EQ(names[2], u"main.xml");
    ASSERT_TRUE(tlpath::SplitRelativePath(u"a//b/", names));
    EXPECT_EQ(names.size(), 2u);
    ASSERT_TRUE(tlpath::SplitRelativePath(u"..hidden.dll", names));
    ASSERT_TRUE(tlpath::SplitRelativePath(u"console.txt", names));
    ASSERT_TRUE(tlpath::SplitRelativePath(u"COM10", names));
}

TEST(RelativePath, RefusesNamesThatLeadOutOrAliasAnother) {
    const char16_t* refused[] = {
        u"..\\evil.dll",   u"a/../../evil.dll", u"/etc/passwd",  u"\\windows\\evil.dll", u"C:\\evil.dll",
        u"C:evil.dll",     u"\\\\server\\share", u"a/./b",       u"...",                 u"a/.. /b",
        u"evil.dll.",      u"data.txt:stream",  u"NUL",          u"aux.txt",             u"a/com1.dll",
        u"Lpt9",           u"con",              u"a\x01.txt",    u"a?.txt",              u"",
        u"/",              u"\\\\?\\C:\\x",
    };
    for (const char16_t* path : refused) {
        SCOPED_TRACE(TLString(path).ToUtf8());
        std::vector<TLString> names{TLString(u"left over")};
        EXPECT_FALSE(tlpath::SplitRelativePath(path, names));
        EXPECT_TRUE(names.empty());
    }
}

}  // namespace
