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

}  // namespace
