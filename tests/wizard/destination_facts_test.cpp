#include "wizard/destination_facts.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "tests/support/win_test_support.h"

namespace {

TLString CurrentFolder() {
    wchar_t folder[MAX_PATH];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
    TLString result(folder, length);
    result.EnsureTrailingBackslash();
    return result;
}

TLString WindowsFolder() {
    wchar_t folder[MAX_PATH];
    const DWORD length = GetWindowsDirectoryW(folder, MAX_PATH);
    return TLString(folder, length) + u"\\";
}

// Typed folders that name another folder than their text says must reach the rules as that folder.
TEST(CanonicalFolder, TypedFoldersBecomeTheFolderWindowsMeans) {
    const TLString windows = WindowsFolder();
    const TLString drive = windows.Left(3);
    struct Case {
        TLString typed, expected;
    };
    const Case cases[] = {
        {TLString(), TLString()},
        {drive + u"Temp\\..\\", drive},
        {drive + u"\\\\\\", drive},
        {windows.Left(windows.length() - 1) + u".\\x\\", windows + u"x\\"},
        {drive.Left(2) + u"/" + windows.Mid(3, windows.length() - 4) + u"/x/", windows + u"x\\"},
        {u"not here\\deeper"_tl, CurrentFolder() + u"not here\\deeper\\"},
        {drive + u"Tonehall\\a\\\\b", drive + u"Tonehall\\a\\b\\"},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(destination::CanonicalFolder(c.typed).EqualsNoCase(c.expected))
            << c.typed << " gave " << destination::CanonicalFolder(c.typed);
}

TEST(CanonicalFolder, ShortNamesOfExistingFoldersAreWrittenLong) {
    tltest::ScratchFolder scratch;
    const TLString long_folder = scratch.Path(u"A Folder With A Long Name\\");
    ASSERT_TRUE(tltest::MakeFolders(long_folder));
    wchar_t short_form[MAX_PATH];
    const DWORD length = GetShortPathNameW(long_folder.wc(), short_form, MAX_PATH);
    ASSERT_GT(length, 0u);
    const TLString short_folder(short_form, length);
    ASSERT_FALSE(short_folder.EqualsNoCase(long_folder));

    EXPECT_TRUE(
        destination::CanonicalFolder(short_folder + u"Not Made Yet").EqualsNoCase(long_folder + u"Not Made Yet\\"))
        << destination::CanonicalFolder(short_folder + u"Not Made Yet");
}

}  // namespace
