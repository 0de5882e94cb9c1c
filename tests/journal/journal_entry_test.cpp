// The journal's entries as text and back, what a journal cut short still tells, and what of a
// finished install's journal the install record keeps.
#include <gtest/gtest.h>

#include "engine/journal/journal_entry.h"

namespace {

using journal::Entry;
using journal::EntryKind;

using journal::PathEntry;

Entry Value(const char16_t* key, const char16_t* name, journal::ValueState earlier) {
    return journal::RegistryEntry(EntryKind::kRegistryValue, u"HKLM", key, name, std::move(earlier));
}

Entry WithWritten(Entry entry, journal::ValueState written) {
    entry.written = std::move(written);
    return entry;
}

TEST(JournalEntry, EveryKindSurvivesItsTextFormAwkwardCharactersIncluded) {
    const Entry entries[] = {
        PathEntry(EntryKind::kCreatedFolder, u"C:\\Program Files\\Tonehall 27"),
        PathEntry(EntryKind::kCreatedFile, u"C:\\T\\100% new.dll"),
        PathEntry(EntryKind::kReplacedFile, u"C:\\T\\Tonehall.exe", u"C:\\T\\Tonehall.exe.tlold"),
        PathEntry(EntryKind::kMovedFileAside, u"C:\\T\\Drivers\\a.inf", u"C:\\T\\Drivers\\a.inf (2).tlold"),
        PathEntry(EntryKind::kMovedTreeAside, u"C:\\T\\Server", u"C:\\T\\Server.tlold"),
        PathEntry(EntryKind::kAnnouncedFont, u"C:\\windows\\Fonts\\Tone.ttf"),
        journal::RegistryEntry(EntryKind::kCreatedKey, u"HKCU", u"Software\\C. Orvane\\Tone Core"),
        Value(u"Software\\X", u"", {}),
        Value(u"Software\\X", u"tab\there, line\r\nend, %41", {true, 1, {u'a', 0, 0, 0}}),
        Value(u"Software\\X", u"binary", {true, 3, {0x00, 0xFF, 0x7F, 0x80}}),
        Value(u"Software\\X", u"empty string", {true, 1, {}}),
        WithWritten(Value(u"Software\\X", u"", {}), {true, 1, {u'v', 0, 0, 0}}),
        WithWritten(Value(u"Software\\X", u"dword", {true, 4, {1, 0, 0, 0}}), {}),
    };
    for (const Entry& entry : entries) {
        const TLString line = journal::FormatEntry(entry);
        EXPECT_EQ(line.Find(u'\n'), TLString::npos) << line;
        const std::optional<Entry> back = journal::ParseEntry(line);
        ASSERT_TRUE(back.has_value()) << line;
        EXPECT_EQ(*back, entry) << line;
    }
}

TEST(JournalEntry, LinesThatAreNoEntryAreRefused) {
    for (const char16_t* line : {u"", u"created-file", u"moved-file\tC:\\a", u"created-file\tC:\\a\tC:\\b",
                                 u"replaced-file\tC:\\a", u"created-file\tC:\\100%4", u"created-file\tC:\\%zz",
                                 u"registry-value\tHKLM\tK\tN\tx1\t00", u"registry-value\tHKLM\tK\tN\t1\t0",
                                 u"registry-value\tHKLM\tK\tN\t-\t\t1", u"registry-value\tHKLM\tK\tN\t-\t\t1\t0"})
        EXPECT_FALSE(journal::ParseEntry(line).has_value()) << TLString(line);
}

TEST(JournalFile, ALastLineCutShortIsLeftOutAndAnotherHeaderIsRefused) {
    const std::vector<Entry> entries = {PathEntry(EntryKind::kCreatedFolder, u"C:\\T"),
                                        PathEntry(EntryKind::kCreatedFile, u"C:\\T\\a")};
    const TLString text = journal::FormatEntries(journal::kJournalHeader, entries);
    EXPECT_EQ(journal::ParseEntries(journal::kJournalHeader, text), entries);
    // A run killed while writing its next line.
    EXPECT_EQ(journal::ParseEntries(journal::kJournalHeader, text + u"created-file\tC:\\T\\b"), entries);
    EXPECT_EQ(journal::ParseEntries(journal::kJournalHeader, text.Left(text.length() - 3)),
              std::vector<Entry>{entries[0]});
    EXPECT_FALSE(journal::ParseEntries(journal::kRecordHeader, text).has_value());
    EXPECT_FALSE(journal::ParseEntries(journal::kJournalHeader, u"").has_value());
}

TEST(InstallRecord, KeepsWhatLastsEachPathOnceAsFirstNoted) {
    const std::vector<Entry> journal_entries = {
        PathEntry(EntryKind::kCreatedFolder, u"C:\\T"),
        PathEntry(EntryKind::kCreatedFile, u"C:\\T\\TLImage.dll"),
        // The core-library copy retried: the file it made is set aside and made again.
        PathEntry(EntryKind::kReplacedFile, u"C:\\T\\tlimage.DLL", u"C:\\T\\TLImage.dll.tlold"),
        PathEntry(EntryKind::kReplacedFile, u"C:\\T\\Tonehall.exe", u"C:\\T\\Tonehall.exe.tlold"),
        PathEntry(EntryKind::kMovedTreeAside, u"C:\\T\\Drivers\\32", u"C:\\T\\Drivers\\32.tlold"),
        PathEntry(EntryKind::kMovedFileAside, u"C:\\T\\Drivers\\a.inf", u"C:\\T\\Drivers\\a.inf.tlold"),
        PathEntry(EntryKind::kAnnouncedFont, u"C:\\windows\\Fonts\\Tone.ttf"),
        Value(u"Software\\X", u"Path", {true, 1, {u'A', 0}}),
        Value(u"Software\\X", u"Path", {true, 1, {u'B', 0}}),
        Value(u"Software\\X", u"Version", {}),
    };
    const std::vector<Entry> expected = {
        PathEntry(EntryKind::kCreatedFolder, u"C:\\T"),
        PathEntry(EntryKind::kCreatedFile, u"C:\\T\\TLImage.dll"),
        PathEntry(EntryKind::kReplacedFile, u"C:\\T\\Tonehall.exe"),
        PathEntry(EntryKind::kAnnouncedFont, u"C:\\windows\\Fonts\\Tone.ttf"),
        Value(u"Software\\X", u"Path", {true, 1, {u'A', 0}}),
        Value(u"Software\\X", u"Version", {}),
    };
    EXPECT_EQ(journal::LastingPart(journal_entries), expected);
}

Entry Key(const char16_t* key) { return journal::RegistryEntry(EntryKind::kCreatedKey, u"HKLM", key); }

// A round of the shell registration deletes a key tree and makes it again: a key that was there before
// the install is none the install made, however often it is made again; one the install made stays so.
TEST(InstallRecord, AKeyDeletedAndMadeAgainIsOneThatWasThere) {
    const journal::ValueState other{true, 1, {u'o', 0, 0, 0}};
    const std::vector<Entry> journal_entries = {
        // There before: its values are noted before the tree goes, then it is made again.
        Value(u"Software\\Clients\\Media\\P\\Capabilities\\FileAssociations", u".mp3", other),
        Key(u"Software\\Clients\\Media\\P\\capabilities"),
        Key(u"Software\\Clients\\Media\\P\\Capabilities\\FileAssociations"),
        Value(u"Software\\Clients\\Media\\P\\Capabilities\\FileAssociations", u".ogg", {}),
        // Made by the install, deleted and made again.
        Key(u"Software\\New"),
        Value(u"Software\\New", u"a", {}),
        Key(u"Software\\New"),
        Key(u"Software\\New\\Below"),
    };
    const std::vector<Entry> expected = {
        journal_entries[0], journal_entries[3], journal_entries[4], journal_entries[5], journal_entries[7],
    };
    EXPECT_EQ(journal::LastingPart(journal_entries), expected);
}

// A reinstall, or the associations chosen after the install, add to the record: what only the earlier
// changes named stays listed, what both named keeps the earlier entry (its value from before the first
// install), and a value changed again is read anew once written.
TEST(InstallRecord, JoinedChangesKeepTheEarlierRecordsEntries) {
    const journal::ValueState first{true, 1, {u'1', 0, 0, 0}};
    const std::vector<Entry> listed = {
        PathEntry(EntryKind::kCreatedFolder, u"C:\\T"),
        PathEntry(EntryKind::kCreatedFile, u"C:\\T\\only first.dll"),
        PathEntry(EntryKind::kCreatedFile, u"C:\\T\\Tonehall.exe"),
        Key(u"Software\\X"),
        WithWritten(Value(u"Software\\X", u"both", {}), first),
        WithWritten(Value(u"Software\\X", u"only first", {}), first),
    };
    const std::vector<Entry> added = {
        PathEntry(EntryKind::kReplacedFile, u"C:\\T\\tonehall.exe", u"C:\\T\\Tonehall.exe.tlold"),
        PathEntry(EntryKind::kCreatedFile, u"C:\\T\\only second.dll"),
        Value(u"Software\\x", u"BOTH", first),
        Value(u"Software\\X", u"only second", {}),
        Key(u"Software\\X"),
    };
    std::vector<Entry> expected = listed;
    expected[4].written.reset();
    expected.push_back(PathEntry(EntryKind::kCreatedFile, u"C:\\T\\only second.dll"));
    expected.push_back(Value(u"Software\\X", u"only second", {}));
    EXPECT_EQ(journal::LastingPart(journal::JoinRecords(listed, added)), expected);
}

}  // namespace
