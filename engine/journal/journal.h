#pragma once
// CJournal: what a running install has changed, kept in a file as it goes, so that the changes can be
// undone when the install fails or is cancelled, and found and undone by the next run when this one
// was ended half way. Each change is noted (and written to the file) before it is made; an undo of a
// change that never happened finds nothing to do. On success the lasting part becomes the install
// record the uninstaller reads.

#include <windows.h>

#include <vector>

#include "core/string/tl_string.h"
#include "core/windows/change_notes.h"
#include "engine/journal/journal_entry.h"

namespace journal {

// The install record in the install folder: what the install put in place, for the uninstaller.
inline constexpr char16_t kInstallRecordName[] = u"Install Record.tlr";

class CJournal final : public tlwin::IChangeNotes {
public:
    // The journal of one run, kept in `file`.
    explicit CJournal(TLString file);
    ~CJournal() override;
    CJournal(const CJournal&) = delete;
    CJournal& operator=(const CJournal&) = delete;

    // Makes the file, replacing any that is there (a leftover must be rolled back first).
    bool Start();

    void NoteCreatedFolder(const TLString& folder) override;
    void NoteCreatedFile(const TLString& path) override;
    void NoteReplacedFile(const TLString& path, const TLString& aside) override;
    void NoteMovedFileAside(const TLString& path, const TLString& aside);
    void NoteMovedTreeAside(const TLString& folder, const TLString& aside);
    void NoteFont(const TLString& path);
    // Reads what the value holds now, so that it can be put back; `root` is HKLM, HKCU or HKCR (noted
    // as where Windows keeps the key). A key that is not there yet is noted as created first.
    void NoteRegistryValue(HKEY root, const TLString& key, const TLString& name) override;
    // Notes the key, and each missing one above it, as created when it is not there yet.
    void NoteKey(HKEY root, const TLString& key) override;

    const std::vector<Entry>& entries() const { return entries_; }

    // Undoes every change, last first, and deletes the journal file.
    void RollBack();
    // Removes the set-aside files and trees, writes the lasting part to `record` (a temporary file
    // renamed over it), each value with what it holds now as the value written, and deletes the
    // journal file. A record there already (an earlier install into the same folder) keeps its entries,
    // joined with this run's (JoinRecords). False when the record could not be written.
    bool Commit(const TLString& record);

private:
    void Note(Entry entry);
    void Close();

    TLString file_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    std::vector<Entry> entries_;
};

// Undoes the changes of a run that left its journal in `file` and deletes the file. False when there
// was none.
bool RollBackLeftover(const TLString& file);

// The entries of an install record; nothing when the file is missing or is no record.
std::optional<std::vector<Entry>> ReadRecord(const TLString& record);

// Adds changes made after the install to its record, as Commit would have listed them: a value the
// record lists already keeps its earliest earlier value and gets what it holds now as the value
// written. False when there is no record or it could not be written.
bool AddToRecord(const TLString& record, const std::vector<Entry>& entries);

// A free name beside `path` for setting it aside ("<name>.tlold", numbered when taken).
TLString AsideName(const TLString& path);

}  // namespace journal
