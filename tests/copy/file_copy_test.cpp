// Single files and folders copied into place under Wine: the version rule on real version resources,
// files in use staged for the next start, and what is never lost.
#include <gtest/gtest.h>

#include "core/windows/fault_seam.h"
#include "core/windows/file_attributes.h"
#include "core/windows/system_message.h"
#include "engine/copy/file_copier.h"
#include "engine/copy/folder_copy.h"
#include "engine/journal/journal.h"
#include "tests/copy/copy_test_support.h"
#include "tests/copy/recording_progress.h"
#include "tests/support/recording_prompts.h"
#include "tests/support/win_test_support.h"

namespace {

using engine::CopyMode;

TLString Fixture(std::u16string_view name) { return tltest::BuildPath(u"tests/copy/fixtures/" + TLString(name)); }

class FileCopy : public ::testing::Test {
protected:
    TLString Write(std::u16string_view relative, std::string_view bytes) {
        EXPECT_TRUE(scratch_.WriteFile(relative, bytes));
        return scratch_.Path(relative);
    }
    std::string Bytes(const TLString& path) { return tltest::ReadFileBytes(path); }

    tltest::PendingRenamesGuard renames_;
    tltest::ScratchFolder scratch_;
    TLString dist_ = scratch_.Path(u"dist\\");
    TLString dest_ = scratch_.Path(u"dest\\");
    engine::PendingOperations pending_;
    tltest::RecordingPrompts prompts_;
    engine::CFileCopier copier_{dist_, dest_, pending_, prompts_};
};

TEST_F(FileCopy, CheckVersionReplacesOnlyOlderOrUnversionedInstalledFiles) {
    struct Case {
        const char* what;
        const char16_t* installed;  // fixture, "text" for an unversioned file, null for none
        const char16_t* source;
        bool replaced;
    } cases[] = {
        {"older installed", u"Version1.dll", u"Version2.dll", true},
        {"same version", u"Version2Twin.dll", u"Version2.dll", false},
        {"newer installed", u"Version3.dll", u"Version2.dll", false},
        {"unversioned installed", u"text", u"Version2.dll", true},
        {"nothing installed", nullptr, u"Version1.dll", true},
        {"unversioned source", u"Version1.dll", u"text", false},
    };
    for (const Case& c : cases) {
        const TLString installed = dest_ + u"System\\CODEC.DLL";
        tltest::DeleteTree(dest_);
        if (c.installed && TLString(c.installed) == u"text") {
            Write(u"dest\\System\\CODEC.DLL", "no version resource");
        } else if (c.installed) {
            ASSERT_TRUE(scratch_.CopyIn(Fixture(c.installed), u"dest\\System\\CODEC.DLL"));
        }
        const TLString source = dist_ + u"codec.dll";
        if (TLString(c.source) == u"text") {
            Write(u"dist\\codec.dll", "unversioned source");
        } else {
            ASSERT_TRUE(scratch_.CopyIn(Fixture(c.source), u"dist\\codec.dll"));
        }
        const std::string before = Bytes(installed);

        copier_.Copy(source, installed, CopyMode::kCheckVersion, nullptr);

        EXPECT_EQ(Bytes(installed), c.replaced ? Bytes(source) : before) << c.what;
    }
    EXPECT_TRUE(pending_.files.IsEmpty());
    EXPECT_FALSE(pending_.restart_required);
}

TEST_F(FileCopy, FileInUseIsStagedAndReplacedAtTheNextStart) {
    struct Case {
        const char16_t* name;
        bool restart;
        bool shell_extension_in_place;
        bool registered_then;
    } cases[] = {
        {u"Server.dll", true, true, true},
        {u"Tonehall.exe", true, true, false},
        {u"TLShellExt.dll", false, false, false},
    };
    for (const Case& c : cases) {
        engine::PendingOperations pending;
        engine::CFileCopier copier(dist_, dest_, pending, prompts_);
        const TLString source = Write(u"dist\\Tunevault\\" + TLString(c.name), "new bytes");
        const TLString installed = Write(u"dest\\" + TLString(c.name), "old bytes");
        TLStringArray register_list;
        {
            tltest::HeldFile held(installed);
            ASSERT_TRUE(held.held());
            copier.Copy(source, installed, CopyMode::kAlwaysOverwrite, &register_list);
        }
        const TLString staged = dest_ + u"Setup\\Tunevault\\" + c.name;
        EXPECT_EQ(Bytes(staged), "new bytes") << TLString(c.name);
        EXPECT_EQ(Bytes(installed), "old bytes") << "replaced only at the next start";
        const TLString renames = tltest::PendingRenames();
        EXPECT_NE(renames.FindNoCase(staged), TLString::npos) << renames;
        EXPECT_NE(renames.FindNoCase(installed), TLString::npos) << renames;
        EXPECT_EQ(pending.restart_required, c.restart) << TLString(c.name);
        EXPECT_EQ(pending.shell_extension_in_place, c.shell_extension_in_place) << TLString(c.name);
        EXPECT_TRUE(register_list.IsEmpty()) << "a file that is not in place yet is not registered now";
        EXPECT_EQ(pending.registrations,
                  c.registered_then ? TLStringArray{u"_REGISTERFILE|" + installed} : TLStringArray{});
    }
    EXPECT_TRUE(prompts_.asked.empty());
}

// A plug-in package that cannot be installed now is staged with what it needs at the next start: the
// archive of its name beside it, or its whole folder.
TEST_F(FileCopy, PackageForTheNextStartIsStagedWithItsArchiveOrItsFolder) {
    const TLString single = Write(u"dist\\Plugins\\Visuals\\Visuals.tlp", "package");
    Write(u"dist\\Plugins\\Visuals\\Visuals.zip", "archive");
    Write(u"dist\\Plugins\\Visuals\\Other.zip", "not its archive");
    const TLString whole = Write(u"dist\\Plugins\\Lyrics\\Lyrics.tlp", "package");
    Write(u"dist\\Plugins\\Lyrics\\Words.txt", "words");
    Write(u"dist\\Plugins\\Lyrics\\Fonts\\Face.ttf", "face");

    ASSERT_TRUE(copier_.RecordForNextStart(single, TLString(), false));
    ASSERT_TRUE(copier_.RecordForNextStart(whole, TLString(), true));

    const TLString staged = dest_ + u"Setup\\Plugins\\";
    EXPECT_EQ(Bytes(staged + u"Visuals\\Visuals.tlp"), "package");
    EXPECT_EQ(Bytes(staged + u"Visuals\\Visuals.zip"), "archive");
    EXPECT_FALSE(tltest::FileExists(staged + u"Visuals\\Other.zip"));
    EXPECT_EQ(Bytes(staged + u"Lyrics\\Lyrics.tlp"), "package");
    EXPECT_EQ(Bytes(staged + u"Lyrics\\Words.txt"), "words");
    EXPECT_EQ(Bytes(staged + u"Lyrics\\Fonts\\Face.ttf"), "face");
    // An empty destination marks a package in the record.
    EXPECT_EQ(pending_.files, (TLStringArray{staged + u"Visuals\\Visuals.tlp|", staged + u"Lyrics\\Lyrics.tlp|"}));
}

TEST_F(FileCopy, FontInUseWaitsForTheNextStartWithoutARestart) {
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    const TLString font = TLString(windows) + u"\\Fonts\\TonehallCopyTest.ttf";
    ASSERT_TRUE(CopyFileW(Fixture(u"Version1.dll").wc(), font.wc(), FALSE));
    const TLString source = Write(u"dist\\Fonts\\TonehallCopyTest.ttf", "new font");
    {
        tltest::HeldFile held(font);
        copier_.Copy(source, font, CopyMode::kFont, nullptr);
    }
    EXPECT_NE(tltest::PendingRenames().FindNoCase(font), TLString::npos);
    EXPECT_FALSE(pending_.restart_required);
    DeleteFileW(font.wc());
}

TEST_F(FileCopy, ReadOnlyInstalledFileIsReplacedAndLeftWritable) {
    const TLString source = Write(u"dist\\Tunevault\\Data\\a.txt", "new bytes");
    ASSERT_TRUE(SetFileAttributesW(source.wc(), FILE_ATTRIBUTE_READONLY));
    const TLString installed = Write(u"dest\\Data\\a.txt", "old bytes");
    ASSERT_TRUE(SetFileAttributesW(installed.wc(), FILE_ATTRIBUTE_READONLY));
    copier_.Copy(source, installed, CopyMode::kAlwaysOverwrite, nullptr);
    EXPECT_EQ(Bytes(installed), "new bytes");
    EXPECT_EQ(GetFileAttributesW(installed.wc()) & FILE_ATTRIBUTE_READONLY, 0u);
    SetFileAttributesW(source.wc(), FILE_ATTRIBUTE_NORMAL);
}

// Every failure but a file in use that could be staged is asked about; Cancel stops the copy and
// leaves the installed file as it was.
TEST_F(FileCopy, FailedCopyIsAskedAboutAndCancelKeepsTheInstalledFile) {
    struct Case {
        const char* what;
        DWORD planted;  // the error of the copies after the first `calls_to_pass`
        unsigned calls_to_pass;
        bool hold_installed, hold_source;
        DWORD reported;
    } cases[] = {
        {"full disk", ERROR_DISK_FULL, 0, false, false, ERROR_DISK_FULL},
        {"access denied", ERROR_ACCESS_DENIED, 0, false, false, ERROR_ACCESS_DENIED},
        {"in use, and the staging copy fails too", ERROR_DISK_FULL, 1, true, false, ERROR_DISK_FULL},
        {"source held by a program", ERROR_SUCCESS, 0, false, true, ERROR_SHARING_VIOLATION},
    };
    for (const Case& c : cases) {
        engine::PendingOperations pending;
        tltest::RecordingPrompts prompts;
        engine::CFileCopier copier(dist_, dest_, pending, prompts);
        const TLString source = Write(u"dist\\Tunevault\\Server.dll", "new bytes");
        const TLString installed = Write(u"dest\\Server.dll", "old bytes");
        {
            tltest::HeldFile held(c.hold_installed ? installed : c.hold_source ? source : TLString());
            tlwin::PlantedFault fault(tlwin::FaultCall::kFileCopy, c.planted, c.calls_to_pass);
            EXPECT_FALSE(copier.Copy(source, installed, CopyMode::kAlwaysOverwrite, nullptr)) << c.what;
        }
        ASSERT_EQ(prompts.asked.size(), 1u) << c.what;
        EXPECT_EQ(prompts.asked[0].title, u"Failure Copying System File") << c.what;
        EXPECT_NE(prompts.asked[0].text.Find(u"'" + installed + u"'"), TLString::npos) << prompts.asked[0].text;
        EXPECT_NE(prompts.asked[0].text.Find(tlwin::SystemMessage(c.reported)), TLString::npos)
            << c.what << ": " << prompts.asked[0].text;
        EXPECT_EQ(Bytes(installed), "old bytes") << c.what;
        EXPECT_TRUE(pending.files.IsEmpty()) << c.what;
        EXPECT_TRUE(pending.registrations.IsEmpty()) << c.what;
        EXPECT_FALSE(pending.restart_required) << c.what;
    }
}

TEST_F(FileCopy, FolderCopyCountsBytesAndRoutesByTheFinalExtension) {
    for (const char16_t* name : {u"FOO.DLL", u"a.dll.txt", u"bar.ocx", u"sub\\filter.Ax", u"sub\\empty.txt"})
        Write(u"dist\\Tunevault\\" + TLString(name), TLString(name) == u"sub\\empty.txt" ? "" : "bytes");
    tltest::RecordingProgress progress;
    TLStringArray register_list;
    engine::CopyFolder(dist_ + u"Tunevault\\", dest_, CopyMode::kAlwaysOverwrite, progress, copier_, &register_list);

    EXPECT_EQ(progress.range, 100);
    EXPECT_EQ(progress.position, 100);
    EXPECT_EQ(Bytes(dest_ + u"sub\\filter.Ax"), "bytes");
    EXPECT_EQ(tltest::Sorted(register_list),
              tltest::Sorted({dest_ + u"FOO.DLL", dest_ + u"bar.ocx", dest_ + u"sub\\filter.Ax"}));
}

TEST_F(FileCopy, FolderOfEmptyFilesOrNoFilesEndsAtFullProgress) {
    Write(u"dist\\Empty\\a.txt", "");
    Write(u"dist\\Empty\\b\\c.txt", "");
    ASSERT_TRUE(tltest::MakeFolders(dist_ + u"Nothing"));
    for (const char16_t* folder : {u"Empty\\", u"Nothing\\", u"Missing\\"}) {
        tltest::RecordingProgress progress;
        engine::CopyFolder(dist_ + folder, dest_, CopyMode::kAlwaysOverwrite, progress, copier_, nullptr);
        EXPECT_EQ(progress.position, 100) << TLString(folder);
    }
    EXPECT_TRUE(tltest::FileExists(dest_ + u"b\\c.txt"));
}

// Two files of one name from different folders, both in use: after the restart each destination
// holds its own file's bytes.
TEST_F(FileCopy, SameNamedFilesInUseEachGetTheirOwnBytesAfterARestart) {
    const TLString first = Write(u"dest\\Plugins\\common.dll", "old plug-in");
    const TLString second = Write(u"dest\\Skins\\common.dll", "old skin");
    {
        tltest::HeldFile held_first(first), held_second(second);
        copier_.Copy(Write(u"dist\\Tunevault\\Plugins\\common.dll", "new plug-in"), first, CopyMode::kAlwaysOverwrite,
                     nullptr);
        copier_.Copy(Write(u"dist\\Tunevault\\Skins\\common.dll", "new skin"), second, CopyMode::kAlwaysOverwrite,
                     nullptr);
    }
    ASSERT_TRUE(tltest::RunAndWait(u"C:\\windows\\system32\\wineboot.exe", u"-r", 120000).finished);

    EXPECT_EQ(Bytes(first), "new plug-in");
    EXPECT_EQ(Bytes(second), "new skin");
}

// A folder copy with a journal into a folder that holds some of the files already, beside folders
// the copy makes: earlier files are set aside, new ones are created, and undoing it puts back
// exactly what was there.
TEST(FolderCopyJournal, EarlierFilesAreSetAsideBesideNewFoldersAndRollBackPutsThemBack) {
    tltest::ScratchFolder scratch;
    const TLString dist = scratch.Path(u"dist\\"), dest = scratch.Path(u"dest\\");
    for (const char16_t* name : {u"a.txt", u"Old\\b.txt", u"Old\\New\\c.txt", u"New\\d.txt", u"New\\Deeper\\e.txt"})
        ASSERT_TRUE(scratch.WriteFile(u"dist\\" + TLString(name), "new " + TLString(name).ToUtf8()));
    ASSERT_TRUE(scratch.WriteFile(u"dest\\a.txt", "earlier a"));
    ASSERT_TRUE(scratch.WriteFile(u"dest\\Old\\b.txt", "earlier b"));
    engine::PendingOperations pending;
    tltest::RecordingPrompts prompts;
    journal::CJournal journal(scratch.Path(u"Setup.journal"));
    ASSERT_TRUE(journal.Start());
    engine::CFileCopier copier(dist, dest, pending, prompts, &journal);
    tltest::RecordingProgress progress;
    ASSERT_TRUE(engine::CopyFolder(dist, dest, CopyMode::kAlwaysOverwrite, progress, copier, nullptr));
    for (const char16_t* name : {u"a.txt", u"Old\\b.txt", u"Old\\New\\c.txt", u"New\\d.txt", u"New\\Deeper\\e.txt"})
        EXPECT_EQ(tltest::ReadFileBytes(dest + name), "new " + TLString(name).ToUtf8()) << TLString(name);

    journal.RollBack();
    EXPECT_EQ(tltest::ReadFileBytes(dest + u"a.txt"), "earlier a");
    EXPECT_EQ(tltest::ReadFileBytes(dest + u"Old\\b.txt"), "earlier b");
    EXPECT_FALSE(tltest::FileExists(dest + u"Old\\New\\c.txt"));
    EXPECT_FALSE(tlwin::FolderExists(dest + u"Old\\New\\"));
    EXPECT_FALSE(tlwin::FolderExists(dest + u"New\\"));
    EXPECT_TRUE(prompts.asked.empty());
}

}  // namespace
