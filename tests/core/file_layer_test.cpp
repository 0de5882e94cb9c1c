// The file side of the Windows layer: what is at a path, module paths, and single-file operations
// with the faults a test can plant in them.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "core/windows/disk_space.h"
#include "core/windows/fault_seam.h"
#include "core/windows/file_attributes.h"
#include "core/windows/file_operations.h"
#include "core/windows/fonts.h"
#include "core/windows/full_path.h"
#include "core/windows/module_path.h"
#include "tests/copy/copy_test_support.h"
#include "tests/support/win_test_support.h"

namespace {

// A folder below the scratch folder whose path is longer than MAX_PATH.
TLString MakeLongFolder(const tltest::ScratchFolder& scratch) {
    TLString folder = scratch.path();
    while (folder.length() < 300) {
        folder += TLString(std::u16string(40, u'd')) + u"\\";
        if (!CreateDirectoryW((u"\\\\?\\" + folder).wc(), nullptr)) return TLString();
    }
    return folder;
}

TEST(FileAttributes, TellFilesFromFoldersAtPathsOfAnyLength) {
    tltest::ScratchFolder scratch;
    const TLString long_folder = MakeLongFolder(scratch);
    ASSERT_FALSE(long_folder.empty());
    ASSERT_TRUE(scratch.WriteFile(u"file.txt", "x"));
    const TLString long_file = long_folder + u"file.txt";
    HANDLE file = CreateFileW((u"\\\\?\\" + long_file).wc(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    const struct {
        TLString path;
        bool file;
        bool folder;
    } cases[] = {
        {scratch.Path(u"file.txt"), true, false},
        {scratch.path(), false, true},
        {scratch.path().Left(scratch.path().length() - 1), false, true},
        {u"C:\\", false, true},
        {long_folder, false, true},
        {long_file, true, false},
        {scratch.Path(u"missing"), false, false},
        {long_folder + u"missing", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tlwin::FileExists(c.path), c.file) << c.path;
        EXPECT_EQ(tlwin::FolderExists(c.path), c.folder) << c.path;
    }
}

TEST(ModulePath, IsWholeEvenWhenLongerThanAnyFixedBuffer) {
    const TLString program = tlwin::ModulePath();
    EXPECT_TRUE(program.EndsWithNoCase(u"\\core_windows_layer_tests.exe")) << program;
    EXPECT_EQ(tlwin::ModuleFolder(), program.Left(program.ReverseFind(u'\\') + 1));

    tltest::ScratchFolder scratch;
    const TLString long_folder = MakeLongFolder(scratch);
    ASSERT_FALSE(long_folder.empty());
    const TLString dll = long_folder + u"NoExports.dll";
    ASSERT_TRUE(
        CopyFileW(tltest::BuildPath(u"tests/engine/fixtures/NoExports.dll").wc(), (u"\\\\?\\" + dll).wc(), FALSE));
    HMODULE module = LoadLibraryExW((u"\\\\?\\" + dll).wc(), nullptr, 0);
    ASSERT_NE(module, nullptr);
    const TLString path = tlwin::ModulePath(module);
    FreeLibrary(module);
    EXPECT_GT(path.length(), 300u);
    EXPECT_TRUE(path.EndsWith(long_folder.Mid(long_folder.length() - 100) + u"NoExports.dll")) << path;
}

TEST(FullPath, ResolvesDotsAtAnyLength) {
    const TLString deep = u"C:\\" + TLString(std::u16string(600, u'p')) + u"\\x\\..\\y\\.\\z";
    EXPECT_EQ(tlwin::FullPath(deep), u"C:\\" + TLString(std::u16string(600, u'p')) + u"\\y\\z");
    EXPECT_EQ(tlwin::FullPath(u"C:\\a\\..\\b\\"), u"C:\\b\\");
}

// Each file operation, the fault that is planted in it, and what must still be there afterwards.
TEST(FileOperations, APlantedFaultFailsTheCallWithItsErrorAndTouchesNothing) {
    tltest::ScratchFolder scratch;
    const TLString source = scratch.Path(u"source.txt");
    const TLString target = scratch.Path(u"target.txt");
    const struct {
        tlwin::FaultCall call;
        DWORD error;
        bool (*operation)(const TLString& source, const TLString& target);
    } cases[] = {
        {tlwin::FaultCall::kFileCopy, ERROR_DISK_FULL,
         [](const TLString& from, const TLString& to) { return tlwin::CopyFileTo(from, to, true); }},
        {tlwin::FaultCall::kFileMove, ERROR_ACCESS_DENIED,
         [](const TLString& from, const TLString& to) { return tlwin::MoveFileTo(from, to); }},
        {tlwin::FaultCall::kFileDelete, ERROR_ACCESS_DENIED,
         [](const TLString& from, const TLString&) { return tlwin::DeleteFileAt(from); }},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(scratch.WriteFile(u"source.txt", "new"));
        DeleteFileW(target.wc());
        {
            const tlwin::PlantedFault fault(c.call, c.error);
            SetLastError(ERROR_SUCCESS);
            EXPECT_FALSE(c.operation(source, target));
            EXPECT_EQ(GetLastError(), c.error);
            EXPECT_EQ(tltest::ReadFileBytes(source), "new");
            EXPECT_FALSE(tltest::FileExists(target));
        }
        // Without the fault the same call works.
        EXPECT_TRUE(c.operation(source, target)) << GetLastError();
    }
}

// The calls that change a file's attributes, stage a move for the next start, announce a font or ask
// for the free space: each with its fault planted, and whether its effect is there afterwards.
TEST(FileOperations, AttributesDelayedMovesFontsAndFreeSpaceFailAsPlantedAndTouchNothing) {
    tltest::ScratchFolder scratch;
    const tltest::PendingRenamesGuard renames;
    ASSERT_TRUE(scratch.WriteFile(u"staged.dll", "new"));
    const TLString staged = scratch.Path(u"staged.dll");
    const TLString target = scratch.Path(u"in use.dll");
    uint64_t free_bytes = 0;
    const struct {
        const char* name;
        tlwin::FaultCall call;
        DWORD error;
        std::function<bool()> operation;
        std::function<bool()> effect;
    } cases[] = {
        {"attributes", tlwin::FaultCall::kFileAttributes, ERROR_ACCESS_DENIED,
         [&] { return tlwin::SetAttributesAt(staged, FILE_ATTRIBUTE_HIDDEN); },
         [&] { return (tlwin::FileAttributes(staged) & FILE_ATTRIBUTE_HIDDEN) != 0; }},
        {"delayed move", tlwin::FaultCall::kDelayedMove, ERROR_ACCESS_DENIED,
         [&] { return tlwin::MoveFileOnRestart(staged, target); },
         [&] { return tltest::PendingRenames().view().find(target.view()) != std::u16string_view::npos; }},
        {"free space", tlwin::FaultCall::kFreeSpace, ERROR_NOT_READY,
         [&] { return tlwin::FreeBytesAvailable(scratch.path(), free_bytes); }, [&] { return free_bytes > 0; }},
    };
    for (const auto& c : cases) {
        {
            const tlwin::PlantedFault fault(c.call, c.error);
            SetLastError(ERROR_SUCCESS);
            EXPECT_FALSE(c.operation()) << c.name;
            EXPECT_EQ(GetLastError(), c.error) << c.name;
            EXPECT_FALSE(c.effect()) << c.name;
        }
        EXPECT_TRUE(c.operation()) << c.name << ": " << GetLastError();
        EXPECT_TRUE(c.effect()) << c.name;
    }

    // A font: the planted fault, then Windows itself, which takes no font from a file that holds none.
    {
        const tlwin::PlantedFault fault(tlwin::FaultCall::kFontAdd, ERROR_ACCESS_DENIED);
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(tlwin::AddFont(staged));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    }
    EXPECT_FALSE(tlwin::AddFont(staged));
}

// The copy moves files in large blocks: sizes around the block's edges, times and attributes kept as
// CopyFileW keeps them.
TEST(FileOperations, CopyKeepsContentsLastWriteTimeAndAttributes) {
    tltest::ScratchFolder scratch;
    constexpr size_t kBlock = 256 << 10;
    const struct {
        size_t size;
        DWORD attributes;
    } cases[] = {
        {0, FILE_ATTRIBUTE_NORMAL},
        {1, FILE_ATTRIBUTE_READONLY},
        {kBlock - 1, FILE_ATTRIBUTE_HIDDEN},
        {kBlock, FILE_ATTRIBUTE_NORMAL},
        {kBlock + 1, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM},
        {3 * kBlock + 17, FILE_ATTRIBUTE_NORMAL},
    };
    FILETIME written;
    const SYSTEMTIME when{2009, 7, 5, 14, 13, 37, 42, 0};
    ASSERT_TRUE(SystemTimeToFileTime(&when, &written));
    for (const auto& c : cases) {
        std::string bytes(c.size, '\0');
        for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 131 + i / 4093) & 0xff);
        const TLString source = scratch.Path(u"source.bin"), target = scratch.Path(u"target.bin");
        SetFileAttributesW(source.wc(), FILE_ATTRIBUTE_NORMAL);
        SetFileAttributesW(target.wc(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(target.wc());
        ASSERT_TRUE(scratch.WriteFile(u"source.bin", bytes));
        HANDLE file = CreateFileW(source.wc(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &written));
        CloseHandle(file);
        ASSERT_TRUE(SetFileAttributesW(source.wc(), c.attributes));

        ASSERT_TRUE(tlwin::CopyFileTo(source, target, true)) << c.size << ": " << GetLastError();
        EXPECT_TRUE(tltest::ReadFileBytes(target) == bytes) << c.size;
        WIN32_FILE_ATTRIBUTE_DATA facts;
        ASSERT_TRUE(GetFileAttributesExW(target.wc(), GetFileExInfoStandard, &facts));
        EXPECT_EQ(CompareFileTime(&facts.ftLastWriteTime, &written), 0) << c.size;
        constexpr DWORD kSpecial = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        EXPECT_EQ(facts.dwFileAttributes & kSpecial, c.attributes & kSpecial) << c.size;
    }
}

// A target in use stays as it was, with the error the installer stages such files on.
TEST(FileOperations, CopyOverAFileInUseFailsWithASharingViolation) {
    tltest::ScratchFolder scratch;
    ASSERT_TRUE(scratch.WriteFile(u"new.dll", "new"));
    ASSERT_TRUE(scratch.WriteFile(u"in use.dll", "old"));
    HANDLE in_use =
        CreateFileW(scratch.Path(u"in use.dll").wc(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(in_use, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(tlwin::CopyFileTo(scratch.Path(u"new.dll"), scratch.Path(u"in use.dll"), true));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    CloseHandle(in_use);
    EXPECT_EQ(tltest::ReadFileBytes(scratch.Path(u"in use.dll")), "old");
    EXPECT_FALSE(tlwin::CopyFileTo(scratch.Path(u"missing.dll"), scratch.Path(u"copy.dll"), true));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(tltest::FileExists(scratch.Path(u"copy.dll")));
}

TEST(FileOperations, WorkOnLongPathsAndReportWindowsErrors) {
    tltest::ScratchFolder scratch;
    const TLString long_folder = MakeLongFolder(scratch);
    ASSERT_FALSE(long_folder.empty());
    ASSERT_TRUE(scratch.WriteFile(u"a.txt", "a"));
    EXPECT_TRUE(tlwin::CopyFileTo(scratch.Path(u"a.txt"), long_folder + u"a.txt", false));
    EXPECT_FALSE(tlwin::CopyFileTo(scratch.Path(u"a.txt"), long_folder + u"a.txt", false));
    EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
    EXPECT_TRUE(tlwin::MoveFileTo(long_folder + u"a.txt", long_folder + u"b.txt"));
    EXPECT_TRUE(tlwin::FileExists(long_folder + u"b.txt"));
    EXPECT_TRUE(tlwin::DeleteFileAt(long_folder + u"b.txt"));
    EXPECT_FALSE(tlwin::FileExists(long_folder + u"b.txt"));
}

}  // namespace
