// A package's archive unpacks into its folder and nowhere else, and never beyond its limit.

#include <gtest/gtest.h>

#include "package/archive/unzip_archive.h"
#include "tests/archive/zip_builder.h"
#include "tests/support/unix_side.h"
#include "tests/support/win_test_support.h"

namespace {

using tltest::ZipItem;

class UnzipArchiveTest : public ::testing::Test {
protected:
    bool Unzip(const std::vector<ZipItem>& items, bool keep_folders, uint64_t limit = package::kMaxUnpackedSize) {
        EXPECT_TRUE(scratch.WriteFile(u"package.zip", tltest::BuildZipText(items)));
        tlwin::IChangeNotes& notes = tlwin::NoChangeNotes();
        written.Clear();
        return package::UnzipArchive(scratch.Path(u"package.zip"), target(), {keep_folders, limit}, notes, written);
    }
    TLString target() const { return scratch.Path(u"Product\\Target\\"); }

    tltest::ScratchFolder scratch;
    TLStringArray written;
};

TEST_F(UnzipArchiveTest, KeepsOrDropsTheArchiveFolders) {
    const std::vector<ZipItem> items = {{"skin/", ""}, {"skin/main.xml", "<QVMS/>"}, {"skin/img/a.png", "png", false}};
    ASSERT_TRUE(Unzip(items, true));
    EXPECT_EQ(tltest::ReadFileBytes(target() + u"skin\\main.xml"), "<QVMS/>");
    EXPECT_EQ(tltest::ReadFileBytes(target() + u"skin\\img\\a.png"), "png");
    EXPECT_EQ(written.GetCount(), 2u);

    tltest::DeleteTree(target());
    ASSERT_TRUE(Unzip(items, false));
    EXPECT_EQ(tltest::ReadFileBytes(target() + u"main.xml"), "<QVMS/>");
    EXPECT_EQ(tltest::ReadFileBytes(target() + u"a.png"), "png");
    EXPECT_FALSE(tltest::FileExists(target() + u"skin"));
}

TEST_F(UnzipArchiveTest, AnArchiveWithOneUnsafeNameChangesNothing) {
    const char* unsafe[] = {"..\\evil.dll", "../evil.dll", "sub/../../evil.dll", "/evil.dll",
                            "C:/tltest-evil.dll", "C:evil.dll", "nul.dll", "evil.dll:stream"};
    for (const char* name : unsafe) {
        SCOPED_TRACE(name);
        for (bool keep_folders : {true, false}) {
            EXPECT_FALSE(Unzip({{"first.txt", "fine"}, {name, "evil"}}, keep_folders));
            EXPECT_FALSE(tltest::FileExists(target()));
            EXPECT_FALSE(tltest::FileExists(scratch.Path(u"Product\\evil.dll")));
            EXPECT_FALSE(tltest::FileExists(u"C:\\tltest-evil.dll"));
            EXPECT_FALSE(tltest::FileExists(u"C:\\evil.dll"));
        }
    }
}

TEST_F(UnzipArchiveTest, AFolderLinkedOutsideIsNotWrittenThrough) {
    ASSERT_TRUE(tltest::MakeFolders(target()));
    ASSERT_TRUE(tltest::MakeFolders(scratch.Path(u"Outside")));
    const tltest::UnixSymbolicLink link(scratch.Path(u"Outside"), target() + u"link");
    ASSERT_TRUE(link.made());
    EXPECT_FALSE(Unzip({{"link/evil.dll", "evil"}}, true));
    EXPECT_FALSE(tltest::FileExists(scratch.Path(u"Outside\\evil.dll")));
}

TEST_F(UnzipArchiveTest, ABombFailsAndLeavesNoPartOfItsFile) {
    const std::string zeros(4 << 20, '\0');
    // Declared honestly but beyond the limit: refused before anything is written.
    EXPECT_FALSE(Unzip({{"big.bin", zeros}}, false, 1 << 20));
    EXPECT_FALSE(tltest::FileExists(target() + u"big.bin"));
    // Declared small, expanding far beyond: stopped at the declared size and removed.
    EXPECT_FALSE(Unzip({ZipItem("first.txt", "fine"), ZipItem("bomb.bin", zeros).DeclaredSize(1000)}, false));
    EXPECT_FALSE(tltest::FileExists(target() + u"bomb.bin"));
    EXPECT_EQ(tltest::ReadFileBytes(target() + u"first.txt"), "fine");
}

}  // namespace
