#include "engine/journal/journal.h"

#include "core/tools/tools.h"
#include "core/windows/file_attributes.h"
#include "core/windows/file_operations.h"
#include "core/windows/registry.h"
#include "core/windows/tl_file_system.h"
#include "core/xml/file_text.h"
#include "engine/journal/registry_state.h"

namespace journal {
namespace {

void Undo(const Entry& entry) {
    switch (entry.kind) {
        case EntryKind::kCreatedFolder:
            RemoveDirectoryW(tlwin::ForWindows(entry.path).wc());
            return;
        case EntryKind::kCreatedFile:
            tlwin::TLFileSystem::DeleteFile(entry.path);
            return;
        case EntryKind::kReplacedFile:
        case EntryKind::kMovedFileAside:
            // No set-aside file: the rename never happened, or was undone already; the file is the
            // earlier one.
            if (!tlwin::FileExists(entry.aside)) return;
            tlwin::TLFileSystem::DeleteFile(entry.path);
            if (!tlwin::MoveFileOver(entry.aside, entry.path))
                tools::LogFormat(u"CJournal::RollBack", u"Error %d putting back %s", static_cast<int>(GetLastError()),
                                 entry.path);
            return;
        case EntryKind::kMovedTreeAside:
            if (!tlwin::FolderExists(entry.aside)) return;
            if (!MoveFileW(tlwin::ForWindows(entry.aside).wc(), tlwin::ForWindows(entry.path).wc()))
                tools::LogFormat(u"CJournal::RollBack", u"Error %d putting back %s", static_cast<int>(GetLastError()),
                                 entry.path);
            return;
        case EntryKind::kAnnouncedFont:
            RemoveFontResourceW(entry.path.wc());
            return;
        case EntryKind::kCreatedKey:
            if (HKEY root = RootOfWord(entry.root)) tlwin::DeleteKeyWithoutSubkeys(root, entry.path);
            return;
        case EntryKind::kRegistryValue:
            if (HKEY root = RootOfWord(entry.root);
                !root || !RestoreValueState(root, entry.path, entry.name, entry.earlier))
                tools::LogFormat(u"CJournal::RollBack", u"Could not put back %s\\%s", entry.path, entry.name);
            return;
    }
}

void UndoAll(const std::vector<Entry>& entries) {
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) Undo(*entry);
}

// What stays behind of a change once the install is done.
void Discard(const Entry& entry) {
    const bool file_aside = entry.kind == EntryKind::kReplacedFile || entry.kind == EntryKind::kMovedFileAside;
    if (file_aside && tlwin::FileExists(entry.aside) && !tlwin::TLFileSystem::DeleteFile(entry.aside)) {
        // A program still maps the earlier file: it goes at the next start.
        tlwin::MoveFileOnRestart(entry.aside, TLString());
    }
    if (entry.kind == EntryKind::kMovedTreeAside && tlwin::FolderExists(entry.aside))
        tlwin::TLFileSystem::DeleteDirectoryTree(entry.aside);
}

// The record written line by line: an install of thousands of files needs no second copy of it.
bool WriteRecord(const TLString& path, const std::vector<Entry>& entries) {
    HANDLE file = CreateFileW(tlwin::ForWindows(path).wc(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool written = true;
    std::string buffer = TLString(kRecordHeader).ToUtf8() + "\r\n";
    const auto flush = [&] {
        DWORD done = 0;
        written = written && WriteFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &done, nullptr) &&
                  done == buffer.size();
        buffer.clear();
    };
    for (const size_t position : LastingPositions(entries)) {
        const Entry& entry = entries[position];
        const HKEY root = RootOfWord(entry.root);
        if (entry.kind == EntryKind::kRegistryValue && !entry.written && root) {
            Entry with_written = entry;
            with_written.written = ReadValueState(root, entry.path, entry.name);
            buffer += (FormatLastingEntry(with_written) + u"\r\n").ToUtf8();
        } else {
            buffer += (FormatLastingEntry(entry) + u"\r\n").ToUtf8();
        }
        if (buffer.size() >= 64 * 1024) flush();
    }
    flush();
    written = FlushFileBuffers(file) && written;
    CloseHandle(file);
    return written;
}

// A temporary file renamed over the record, so that a record is never half written.
bool ReplaceRecord(const TLString& record, const std::vector<Entry>& entries) {
    const TLString temporary = record + u".tmp";
    const bool written = WriteRecord(temporary, entries) && tlwin::MoveFileOver(temporary, record);
    if (!written) {
        tools::LogFormat(u"journal::WriteRecord", u"Error %d writing the install record %s",
                         static_cast<int>(GetLastError()), record);
        tlwin::TLFileSystem::DeleteFile(temporary);
    }
    return written;
}

}  // namespace

CJournal::CJournal(TLString file) : file_(std::move(file)) {}

CJournal::~CJournal() { Close(); }

void CJournal::Close() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

bool CJournal::Start() {
    Close();
    entries_.clear();
    tlwin::TLFileSystem::MakeDirectoryTree(file_, true);
    handle_ = CreateFileW(tlwin::ForWindows(file_).wc(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) {
        tools::LogFormat(u"CJournal::Start", u"Error %d making %s", static_cast<int>(GetLastError()), file_);
        return false;
    }
    const std::string header = TLString(kJournalHeader).ToUtf8() + "\r\n";
    DWORD written = 0;
    return WriteFile(handle_, header.data(), static_cast<DWORD>(header.size()), &written, nullptr) != FALSE;
}

// Written through to the system at once (not flushed to the disk: a killed process loses nothing,
// only a machine switched off may lose the last lines, whose changes then undo as nothing).
void CJournal::Note(Entry entry) {
    if (handle_ != INVALID_HANDLE_VALUE) {
        const std::string line = (FormatEntry(entry) + u"\r\n").ToUtf8();
        DWORD written = 0;
        WriteFile(handle_, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }
    entries_.push_back(std::move(entry));
}

void CJournal::NoteCreatedFolder(const TLString& folder) { Note(PathEntry(EntryKind::kCreatedFolder, folder)); }
void CJournal::NoteCreatedFile(const TLString& path) { Note(PathEntry(EntryKind::kCreatedFile, path)); }
void CJournal::NoteReplacedFile(const TLString& path, const TLString& aside) {
    Note(PathEntry(EntryKind::kReplacedFile, path, aside));
}
void CJournal::NoteMovedFileAside(const TLString& path, const TLString& aside) {
    Note(PathEntry(EntryKind::kMovedFileAside, path, aside));
}
void CJournal::NoteMovedTreeAside(const TLString& folder, const TLString& aside) {
    Note(PathEntry(EntryKind::kMovedTreeAside, folder, aside));
}
void CJournal::NoteFont(const TLString& path) { Note(PathEntry(EntryKind::kAnnouncedFont, path)); }

void CJournal::NoteKey(HKEY root, const TLString& key) {
    for (Entry& created : CreatedKeyEntries(root, key)) Note(std::move(created));
}

void CJournal::NoteRegistryValue(HKEY root, const TLString& key, const TLString& name) {
    for (Entry& entry : ValueEntries(root, key, name)) Note(std::move(entry));
}

void CJournal::RollBack() {
    Close();
    tools::LogFormat(u"CJournal::RollBack", u"Undoing %d changes", static_cast<int>(entries_.size()));
    UndoAll(entries_);
    entries_.clear();
    tlwin::TLFileSystem::DeleteFile(file_);
}

bool CJournal::Commit(const TLString& record) {
    Close();
    for (const Entry& entry : entries_) Discard(entry);
    // A reinstall into the same folder: what the earlier install changed is still to be undone.
    std::optional<std::vector<Entry>> earlier = ReadRecord(record);
    if (earlier)
        tools::LogFormat(u"CJournal::Commit", u"The install record of an earlier install keeps its %d changes",
                         static_cast<int>(earlier->size()));
    const bool written = ReplaceRecord(record, earlier ? JoinRecords(std::move(*earlier), entries_) : entries_);
    tlwin::TLFileSystem::DeleteFile(file_);
    return written;
}

bool RollBackLeftover(const TLString& file) {
    if (!tlwin::FileExists(file)) return false;
    TLString text;
    std::optional<std::vector<Entry>> entries;
    if (tlxml::ReadTextFile(file, text)) entries = ParseEntries(kJournalHeader, text);
    tools::LogFormat(u"RollBackLeftover", u"An earlier run ended half way: undoing its %d changes",
                     entries ? static_cast<int>(entries->size()) : 0);
    if (entries) UndoAll(*entries);
    tlwin::TLFileSystem::DeleteFile(file);
    return true;
}

std::optional<std::vector<Entry>> ReadRecord(const TLString& record) {
    TLString text;
    if (!tlxml::ReadTextFile(record, text)) return std::nullopt;
    return ParseEntries(kRecordHeader, text);
}

bool AddToRecord(const TLString& record, const std::vector<Entry>& entries) {
    std::optional<std::vector<Entry>> listed = ReadRecord(record);
    if (!listed) {
        tools::LogFormat(u"journal::AddToRecord", u"No install record at %s: %d changes are not listed", record,
                         static_cast<int>(entries.size()));
        return false;
    }
    return ReplaceRecord(record, JoinRecords(std::move(*listed), entries));
}

TLString AsideName(const TLString& path) {
    TLString bare = path;
    bare.RemoveTrailingBackslashes();
    return tlwin::TLFileSystem::FreeName(bare + u".tlold");
}

}  // namespace journal
