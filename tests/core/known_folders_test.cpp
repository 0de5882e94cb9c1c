// The folders Windows knows by name, read whole whatever their length.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "core/windows/file_attributes.h"
#include "core/windows/known_folders.h"

namespace {

using tlwin::KnownFolder;
using tlwin::KnownFolderPath;

TEST(KnownFolders, NameExistingFoldersWithOneTrailingBackslash) {
    const TLString windows = KnownFolderPath(KnownFolder::kWindows);
    const struct {
        KnownFolder folder;
        TLString expected;  // empty: only that it exists
    } cases[] = {
        {KnownFolder::kWindows, TLString()},         {KnownFolder::kSystem, windows + u"system32\\"},
        {KnownFolder::kFonts, windows + u"Fonts\\"}, {KnownFolder::kTemporary, TLString()},
        {KnownFolder::kRoamingAppData, TLString()},
    };
    for (const auto& c : cases) {
        const TLString path = KnownFolderPath(c.folder);
        EXPECT_TRUE(path.EndsWith(u"\\") && !path.EndsWith(u"\\\\")) << path;
        EXPECT_TRUE(tlwin::FolderExists(path)) << path;
        if (!c.expected.empty()) {
            EXPECT_TRUE(path.EqualsNoCase(c.expected)) << path;
        }
    }
    EXPECT_FALSE(KnownFolderPath(KnownFolder::kMusic).empty());
}

// The temporary folder comes from the environment, so a test can make it longer than any fixed buffer.
TEST(KnownFolders, AreReadWholeWhenLongerThanAFixedBuffer) {
    const TLString before = KnownFolderPath(KnownFolder::kTemporary);
    std::wstring tmp(32768, L'\0');
    std::wstring temp(32768, L'\0');
    const bool had_tmp = GetEnvironmentVariableW(L"TMP", tmp.data(), 32768) != 0;
    const bool had_temp = GetEnvironmentVariableW(L"TEMP", temp.data(), 32768) != 0;
    const TLString deep = before + TLString(std::u16string(150, u'a')) + u"\\" + TLString(std::u16string(150, u'b')) +
                          u"\\" + TLString(std::u16string(150, u'c'));
    SetEnvironmentVariableW(L"TMP", deep.wc());
    SetEnvironmentVariableW(L"TEMP", deep.wc());
    const TLString read = KnownFolderPath(KnownFolder::kTemporary);
    SetEnvironmentVariableW(L"TMP", had_tmp ? tmp.c_str() : nullptr);
    SetEnvironmentVariableW(L"TEMP", had_temp ? temp.c_str() : nullptr);

    EXPECT_GT(read.length(), 450u);
    EXPECT_TRUE(read.EqualsNoCase(deep + u"\\")) << read;
    EXPECT_EQ(KnownFolderPath(KnownFolder::kTemporary), before);
}

}  // namespace
