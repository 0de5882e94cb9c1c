// The file system operations under Wine, checked by the files and folders they leave.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "core/windows/fault_seam.h"
#include "core/windows/tl_file_system.h"
#include "tests/support/recording_tools.h"
#include "tests/support/unix_side.h"
#include "tests/support/win_test_support.h"

namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::EndsWith;
using ::testing::IsEmpty;
using ::testing::StartsWith;
using tlwin::TLFileSystem;

// Holds a file open without sharing, as a running program holds its own file.
class HeldOpen {
public:
    explicit HeldOpen(const TLString& path)
        : handle_(CreateFileW(path.wc(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {
        EXPECT_NE(handle_, INVALID_HANDLE_VALUE) << path;
    }
    ~HeldOpen() { CloseHandle(handle_); }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;

private:
    HANDLE handle_;
};

class FileSystemTest : public ::testing::Test {
protected:
    tltest::RecordingTools tools_;
    tltest::ScratchFolder scratch_;
};

TEST_F(FileSystemTest, DeletesReadOnlyAndMissingFilesWithoutComplaint) {
    ASSERT_TRUE(scratch_.WriteFile(u"locked.txt", "x"));
    const TLString locked = scratch_.Path(u"locked.txt");
    ASSERT_TRUE(SetFileAttributesW(locked.wc(), FILE_ATTRIBUTE_READONLY));

    EXPECT_TRUE(TLFileSystem::DeleteFile(locked));
    EXPECT_FALSE(tltest::FileExists(locked));
    EXPECT_TRUE(TLFileSystem::DeleteFile(scratch_.Path(u"never-there.txt")));
    EXPECT_FALSE(TLFileSystem::DeleteFile(TLString()));
    EXPECT_THAT(tools_.Lines(), IsEmpty());
}

TEST_F(FileSystemTest, LogsAFileThatCannotBeDeleted) {
    ASSERT_TRUE(scratch_.WriteFile(u"busy.txt", "x"));
    const TLString busy = scratch_.Path(u"busy.txt");
    {
        const HeldOpen held(busy);
        EXPECT_FALSE(TLFileSystem::DeleteFile(busy));
    }
    EXPECT_TRUE(tltest::FileExists(busy));
    EXPECT_THAT(tools_.Lines(),
                ElementsAre("TLFileSystem::DeleteFile: Error 32 deleting existing file: " + busy.ToUtf8()));
}

TEST_F(FileSystemTest, MakesTestsAndDeletesA300CharacterPath) {
    TLString deep = scratch_.path();
    while (deep.length() < 300) deep += u"folder-with-a-long-name\\";
    const TLString file = deep + u"file.txt";
    ASSERT_GE(file.length(), 300u);

    ASSERT_TRUE(TLFileSystem::MakeDirectoryTree(file, true));
    EXPECT_TRUE(TLFileSystem::FolderExists(deep));
    EXPECT_TRUE(TLFileSystem::IsFolderEmpty(scratch_.path()));
    HANDLE handle = CreateFileW((u"\\\\?\\" + file).wc(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(handle, "12345", 5, &written, nullptr);
    CloseHandle(handle);

    EXPECT_TRUE(TLFileSystem::FileExists(file));
    EXPECT_FALSE(TLFileSystem::FileExists(deep));
    EXPECT_EQ(TLFileSystem::FileSize(file), 5);
    EXPECT_FALSE(TLFileSystem::IsFolderEmpty(scratch_.path()));
    EXPECT_TRUE(TLFileSystem::IsFolderWritable(deep));
    EXPECT_GT(TLFileSystem::FreeSpace(deep), 0);
    EXPECT_EQ(TLFileSystem::FreeName(file), deep + u"file (2).txt");

    // Windows drops a name's trailing dot unless the path carries the "\\?\" prefix: the dot shows
    // that the prefix was used.
    ASSERT_TRUE(TLFileSystem::MakeDirectoryTree(deep + u"dotted."));
    EXPECT_TRUE(tltest::FileExists(u"\\\\?\\" + deep + u"dotted."));
    EXPECT_FALSE(tltest::FileExists(u"\\\\?\\" + deep + u"dotted"));

    const TLString top = scratch_.Path(u"folder-with-a-long-name");
    EXPECT_TRUE(TLFileSystem::DeleteDirectoryTree(top));
    EXPECT_FALSE(TLFileSystem::FolderExists(top));
    EXPECT_THAT(tools_.Lines(), IsEmpty());
}

// A volume that cannot tell its free space (the fault planted) gives a negative answer and one log line
// with the error, after asking every parent folder up to the drive.
TEST_F(FileSystemTest, FreeSpaceThatCannotBeAskedIsNegativeAndLogged) {
    const tlwin::PlantedFault fault(tlwin::FaultCall::kFreeSpace, ERROR_NOT_READY);
    EXPECT_LT(TLFileSystem::FreeSpace(scratch_.path()), 0);
    EXPECT_THAT(tools_.Lines(), ElementsAre("TLFileSystem::FreeSpace: Error 21 reading the free space of: " +
                                            scratch_.path().ToUtf8()));
}

TEST_F(FileSystemTest, RefusesToMakeFoldersWithoutADriveOrServer) {
    for (const char16_t* path : {u"relative\\folder", u"\\rooted\\folder", u"C:folder\\sub"}) {
        tools_.Clear();
        EXPECT_FALSE(TLFileSystem::MakeDirectoryTree(path)) << TLString(path);
        EXPECT_THAT(tools_.Texts(u"TLFileSystem::MakeDirectoryTree"),
                    ElementsAre("Path has neither a drive nor a server: " + TLString(path).ToUtf8()));
    }
}

TEST_F(FileSystemTest, MakesAFolderTreeOnlyWhereNothingElseStands) {
    ASSERT_TRUE(scratch_.WriteFile(u"blocker", "a file where a folder should go"));
    EXPECT_TRUE(TLFileSystem::MakeDirectoryTree(scratch_.Path(u"a\\b\\c\\")));
    EXPECT_TRUE(TLFileSystem::FolderExists(scratch_.Path(u"a\\b\\c")));
    EXPECT_TRUE(TLFileSystem::MakeDirectoryTree(scratch_.Path(u"A\\B\\c")));

    EXPECT_FALSE(TLFileSystem::MakeDirectoryTree(scratch_.Path(u"blocker\\sub")));
    EXPECT_FALSE(TLFileSystem::MakeDirectoryTree(scratch_.Path(u"blocker")));
    EXPECT_THAT(tools_.Texts(u"TLFileSystem::MakeDirectoryTree"),
                ElementsAre("Error 183 creating folder: " + scratch_.Path(u"blocker").ToUtf8(),
                            "Error 183 creating folder: " + scratch_.Path(u"blocker").ToUtf8()));
}

TEST_F(FileSystemTest, FolderIsEmptyWhenItHoldsOnlyThumbsDb) {
    ASSERT_TRUE(scratch_.WriteFile(u"pictures\\Thumbs.db", "cache"));
    ASSERT_TRUE(scratch_.WriteFile(u"pictures\\sub\\THUMBS.DB", "cache"));
    ASSERT_TRUE(scratch_.WriteFile(u"music\\sub\\song.mp3", "tune"));
    EXPECT_TRUE(TLFileSystem::IsFolderEmpty(scratch_.Path(u"pictures")));
    EXPECT_TRUE(TLFileSystem::IsFolderEmpty(scratch_.Path(u"missing")));
    EXPECT_FALSE(TLFileSystem::IsFolderEmpty(scratch_.Path(u"music\\")));
    EXPECT_TRUE(TLFileSystem::IsFolderEmpty(scratch_.Path(u"music\\"), false));

    ASSERT_TRUE(scratch_.WriteFile(u"pictures\\photo.jpg", "jpeg"));
    EXPECT_FALSE(TLFileSystem::IsFolderEmpty(scratch_.Path(u"pictures")));
}

TEST_F(FileSystemTest, SafeReplaceFilePutsTheNewFileInPlace) {
    ASSERT_TRUE(scratch_.WriteFile(u"target.dll", "old"));
    ASSERT_TRUE(scratch_.WriteFile(u"staged.dll", "new"));
    ASSERT_TRUE(scratch_.WriteFile(u"fresh.dll", "fresh"));

    EXPECT_TRUE(TLFileSystem::SafeReplaceFile(scratch_.Path(u"target.dll"), scratch_.Path(u"staged.dll")));
    EXPECT_EQ(tltest::ReadFileBytes(scratch_.Path(u"target.dll")), "new");
    EXPECT_TRUE(TLFileSystem::SafeReplaceFile(scratch_.Path(u"absent.dll"), scratch_.Path(u"fresh.dll")));
    EXPECT_EQ(tltest::ReadFileBytes(scratch_.Path(u"absent.dll")), "fresh");
    EXPECT_FALSE(TLFileSystem::SafeReplaceFile(scratch_.Path(u"target.dll"), scratch_.Path(u"gone.dll")));

    // Only the replaced files remain: nothing set aside is left behind.
    EXPECT_FALSE(tltest::FileExists(scratch_.Path(u"staged.dll")));
    EXPECT_FALSE(tltest::FileExists(scratch_.Path(u"target (2).dll")));
    EXPECT_THAT(tools_.Lines(), IsEmpty());
}

// Whichever of the two files cannot be moved, the original stays in place and the new file stays too.
TEST_F(FileSystemTest, SafeReplaceFileKeepsTheOriginalWhenAMoveFails) {
    const struct {
        const char16_t* held;
        const char* log_line;
    } cases[] = {
        {u"staged.dll", "TLFileSystem::SafeReplaceFile: Error moving new file into place of original name"},
        {u"target.dll", "TLFileSystem::SafeReplaceFile: Error renaming original file"},
    };
    for (const auto& c : cases) {
        tools_.Clear();
        ASSERT_TRUE(scratch_.WriteFile(u"target.dll", "old"));
        ASSERT_TRUE(scratch_.WriteFile(u"staged.dll", "new"));
        {
            const HeldOpen held(scratch_.Path(c.held));
            EXPECT_FALSE(TLFileSystem::SafeReplaceFile(scratch_.Path(u"target.dll"), scratch_.Path(u"staged.dll")));
        }
        EXPECT_EQ(tltest::ReadFileBytes(scratch_.Path(u"target.dll")), "old") << TLString(c.held);
        EXPECT_EQ(tltest::ReadFileBytes(scratch_.Path(u"staged.dll")), "new") << TLString(c.held);
        EXPECT_FALSE(tltest::FileExists(scratch_.Path(u"target (2).dll")));
        EXPECT_THAT(tools_.Lines(), ElementsAre(c.log_line));
    }
}

// Something (a virus scanner, say) keeps the set-aside original from being deleted: the new file is
// in place all the same and the original is not lost; the failed deletion is in the log.
TEST_F(FileSystemTest, SafeReplaceFileSucceedsWhenTheSetAsideOriginalCannotBeDeleted) {
    ASSERT_TRUE(scratch_.WriteFile(u"target.dll", "old"));
    ASSERT_TRUE(scratch_.WriteFile(u"staged.dll", "new"));
    {
        const tlwin::PlantedFault denied(tlwin::FaultCall::kFileDelete, ERROR_ACCESS_DENIED);
        EXPECT_TRUE(TLFileSystem::SafeReplaceFile(scratch_.Path(u"target.dll"), scratch_.Path(u"staged.dll")));
    }
    EXPECT_EQ(tltest::ReadFileBytes(scratch_.Path(u"target.dll")), "new");
    EXPECT_FALSE(tltest::FileExists(scratch_.Path(u"staged.dll")));
    EXPECT_EQ(tltest::ReadFileBytes(scratch_.Path(u"target (2).dll")), "old");
    EXPECT_THAT(tools_.Lines(), ElementsAre("TLFileSystem::DeleteFile: Error 5 deleting existing file: " +
                                            scratch_.Path(u"target (2).dll").ToUtf8()));
}

// A file in use stops neither a tree copy nor a tree deletion from doing the rest, and neither tells
// a success: the file in use keeps its content and the folders that hold it.
TEST_F(FileSystemTest, TreeOperationsDoTheRestAroundAFileInUseAndFail) {
    using ::testing::Matcher;
    const TLString source_busy = scratch_.Path(u"source\\sub\\busy.dll");
    const auto removing = [&](const char16_t* folder) -> Matcher<std::string> {
        return AllOf(StartsWith("TLFileSystem::DeleteDirectoryTree: Error "),
                     EndsWith("removing folder: " + scratch_.Path(folder).ToUtf8()));
    };
    const struct {
        const char* name;
        bool (*operation)(const TLString& folder, const TLString& target);
        std::vector<std::pair<const char16_t*, const char*>> remaining;  // file and content
        std::vector<const char16_t*> gone;
        std::vector<Matcher<std::string>> log;
    } cases[] = {
        {"copy",
         [](const TLString& folder, const TLString& target) {
             return TLFileSystem::CopyDirectoryTree(folder + u"source", target);
         },
         {{u"target\\sub\\busy.dll", "old busy"}, {u"target\\a.txt", "new a"}, {u"target\\sub\\z.txt", "new z"}},
         {},
         {"TLFileSystem::CopyDirectoryTree: Error 32 copying file: " + source_busy.ToUtf8()}},
        {"deletion",
         [](const TLString&, const TLString& target) { return TLFileSystem::DeleteDirectoryTree(target); },
         {{u"target\\sub\\busy.dll", "old busy"}},
         {u"target\\a.txt", u"target\\sub\\z.txt", u"target\\other"},
         {"TLFileSystem::DeleteFile: Error 32 deleting existing file: " +
              scratch_.Path(u"target\\sub\\busy.dll").ToUtf8(),
          removing(u"target\\sub"), removing(u"target")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        tools_.Clear();
        for (const auto& [file, content] : {std::pair{u"source\\a.txt", "new a"},
                                            {u"source\\sub\\busy.dll", "new busy"},
                                            {u"source\\sub\\z.txt", "new z"},
                                            {u"target\\a.txt", "old a"},
                                            {u"target\\sub\\busy.dll", "old busy"},
                                            {u"target\\sub\\z.txt", "old z"},
                                            {u"target\\other\\b.txt", "old b"}})
            ASSERT_TRUE(scratch_.WriteFile(file, content));
        {
            const HeldOpen held(scratch_.Path(u"target\\sub\\busy.dll"));
            EXPECT_FALSE(c.operation(scratch_.path(), scratch_.Path(u"target")));
        }
        for (const auto& [file, content] : c.remaining)
            EXPECT_EQ(tltest::ReadFileBytes(scratch_.Path(file)), content) << TLString(file);
        for (const char16_t* file : c.gone) EXPECT_FALSE(tltest::FileExists(scratch_.Path(file))) << TLString(file);
        EXPECT_THAT(tools_.Lines(), ElementsAreArray(c.log));
    }
}

TEST_F(FileSystemTest, DeletesATreeWithReadOnlyFilesDeepestFirst) {
    ASSERT_TRUE(scratch_.WriteFile(u"old\\a.txt", "a"));
    ASSERT_TRUE(scratch_.WriteFile(u"old\\sub\\deeper\\b.txt", "b"));
    ASSERT_TRUE(SetFileAttributesW(scratch_.Path(u"old\\sub\\deeper\\b.txt").wc(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(SetFileAttributesW(scratch_.Path(u"old\\sub").wc(), FILE_ATTRIBUTE_READONLY));

    EXPECT_TRUE(TLFileSystem::DeleteDirectoryTree(scratch_.Path(u"old\\")));
    EXPECT_FALSE(tltest::FileExists(scratch_.Path(u"old")));
    EXPECT_TRUE(TLFileSystem::DeleteDirectoryTree(scratch_.Path(u"old")));
}

// A link left in an old install folder must not lead the deletion to the user's files elsewhere.
TEST_F(FileSystemTest, DeletingATreeNeverFollowsALinkOutOfIt) {
    ASSERT_TRUE(scratch_.WriteFile(u"outside\\precious.txt", "keep me"));
    ASSERT_TRUE(scratch_.WriteFile(u"outside\\nested\\also.txt", "keep me too"));
    ASSERT_TRUE(scratch_.WriteFile(u"install\\program.exe", "exe"));
    ASSERT_TRUE(scratch_.WriteFile(u"install\\data\\settings.ini", "ini"));

    // Wine cannot make links itself; one made on the Unix side is a reparse point to Windows code.
    const tltest::UnixSymbolicLink link(scratch_.Path(u"outside"), scratch_.Path(u"install\\data\\link"));
    ASSERT_TRUE(link.made());
    ASSERT_TRUE(GetFileAttributesW(scratch_.Path(u"install\\data\\link").wc()) & FILE_ATTRIBUTE_REPARSE_POINT);

    TLFileSystem::DeleteDirectoryTree(scratch_.Path(u"install"));
    EXPECT_EQ(tltest::ReadFileBytes(scratch_.Path(u"outside\\precious.txt")), "keep me");
    EXPECT_EQ(tltest::ReadFileBytes(scratch_.Path(u"outside\\nested\\also.txt")), "keep me too");
    EXPECT_FALSE(tltest::FileExists(scratch_.Path(u"install\\program.exe")));
    EXPECT_FALSE(tltest::FileExists(scratch_.Path(u"install\\data\\settings.ini")));
}

TEST_F(FileSystemTest, CopiesAFolderTreeOverExistingFiles) {
    ASSERT_TRUE(scratch_.WriteFile(u"source\\a.txt", "new a"));
    ASSERT_TRUE(scratch_.WriteFile(u"source\\sub\\b.txt", "new b"));
    ASSERT_TRUE(scratch_.WriteFile(u"target\\a.txt", "old a"));
    ASSERT_TRUE(SetFileAttributesW(scratch_.Path(u"target\\a.txt").wc(), FILE_ATTRIBUTE_READONLY));

    EXPECT_TRUE(TLFileSystem::CopyDirectoryTree(scratch_.Path(u"source"), scratch_.Path(u"target\\")));
    EXPECT_EQ(tltest::ReadFileBytes(scratch_.Path(u"target\\a.txt")), "new a");
    EXPECT_EQ(tltest::ReadFileBytes(scratch_.Path(u"target\\sub\\b.txt")), "new b");
    EXPECT_EQ(tltest::ReadFileBytes(scratch_.Path(u"source\\a.txt")), "new a");
}

TEST_F(FileSystemTest, RefusesToCopyAFolderTreeIntoItself) {
    ASSERT_TRUE(scratch_.WriteFile(u"source\\a.txt", "a"));
    EXPECT_FALSE(TLFileSystem::CopyDirectoryTree(scratch_.Path(u"Source"), scratch_.Path(u"source\\copy")));
    EXPECT_FALSE(tltest::FileExists(scratch_.Path(u"source\\copy")));
    EXPECT_EQ(tools_.Texts(u"TLFileSystem::CopyDirectoryTree").size(), 1u);
}

TEST_F(FileSystemTest, AnswersSizesFreeSpaceAndWritability) {
    ASSERT_TRUE(scratch_.WriteFile(u"empty.bin", ""));
    ASSERT_TRUE(scratch_.WriteFile(u"ten.bin", "0123456789"));
    EXPECT_EQ(TLFileSystem::FileSize(scratch_.Path(u"empty.bin")), 0);
    EXPECT_EQ(TLFileSystem::FileSize(scratch_.Path(u"ten.bin")), 10);
    EXPECT_LT(TLFileSystem::FileSize(scratch_.Path(u"missing.bin")), 0);
    EXPECT_LT(TLFileSystem::FileSize(scratch_.path()), 0);

    // A destination not made yet is answered by the drive it will be on.
    const int64_t free_here = TLFileSystem::FreeSpace(scratch_.path());
    EXPECT_GT(free_here, 0);
    EXPECT_GT(TLFileSystem::FreeSpace(scratch_.Path(u"not\\made\\yet\\")), 0);
    EXPECT_LT(TLFileSystem::FreeSpace(u"Q:\\nowhere"), 0);

    EXPECT_TRUE(TLFileSystem::IsFolderWritable(scratch_.path()));
    EXPECT_FALSE(TLFileSystem::IsFolderWritable(scratch_.Path(u"missing\\")));
    EXPECT_TRUE(TLFileSystem::FolderExists(u"C:\\"));
    EXPECT_FALSE(TLFileSystem::FolderExists(scratch_.Path(u"ten.bin")));
}

TEST_F(FileSystemTest, FindsFreeAndTemporaryNames) {
    ASSERT_TRUE(scratch_.WriteFile(u"log.txt", ""));
    ASSERT_TRUE(scratch_.WriteFile(u"log (2).txt", ""));
    EXPECT_EQ(TLFileSystem::FreeName(scratch_.Path(u"log.txt")), scratch_.Path(u"log (3).txt"));
    EXPECT_EQ(TLFileSystem::FreeName(scratch_.Path(u"LOG.txt")), scratch_.Path(u"LOG (3).txt"));
    EXPECT_EQ(TLFileSystem::FreeName(scratch_.Path(u"other.txt")), scratch_.Path(u"other.txt"));

    const auto thread = static_cast<unsigned>(GetCurrentThreadId());
    EXPECT_EQ(TLFileSystem::TemporaryFileName(scratch_.path(), u"log", u"txt", false), scratch_.Path(u"log (3).txt"));
    EXPECT_EQ(TLFileSystem::TemporaryFileName(scratch_.path(), u"setup", u"", true),
              scratch_.path() + TLString::Format(u"setup - %d", thread));

    const TLString in_temp = TLFileSystem::TemporaryFileName(TLString(), u"Tonehall", u"tmp", true);
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    EXPECT_EQ(in_temp, TLString(temp, length) + TLString::Format(u"Tonehall - %d.tmp", thread));
}

}  // namespace
