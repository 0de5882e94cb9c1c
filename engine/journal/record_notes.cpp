#include "engine/journal/record_notes.h"

#include "engine/journal/journal.h"
#include "engine/journal/registry_state.h"

namespace journal {

void CRecordNotes::NoteCreatedFolder(const TLString& folder) {
    entries_.push_back(PathEntry(EntryKind::kCreatedFolder, folder));
}
void CRecordNotes::NoteCreatedFile(const TLString& path) {
    entries_.push_back(PathEntry(EntryKind::kCreatedFile, path));
}
// The record never names a set-aside file: the earlier file is gone once the change is made.
void CRecordNotes::NoteReplacedFile(const TLString& path, const TLString&) {
    entries_.push_back(PathEntry(EntryKind::kReplacedFile, path));
}

void CRecordNotes::NoteRegistryValue(HKEY root, const TLString& key, const TLString& name) {
    for (Entry& entry : ValueEntries(root, key, name)) entries_.push_back(std::move(entry));
}

void CRecordNotes::NoteKey(HKEY root, const TLString& key) {
    for (Entry& created : CreatedKeyEntries(root, key)) entries_.push_back(std::move(created));
}

bool CRecordNotes::AddTo(const TLString& record) const { return entries_.empty() || AddToRecord(record, entries_); }

}  // namespace journal
