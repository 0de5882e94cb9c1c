#pragma once
// CRecordNotes: the notes of changes made after the install has ended (shortcuts, associations chosen
// afterwards), when nothing can be rolled back any more: they only join the install record, so that
// the uninstaller finds them too.

#include <vector>

#include "core/windows/change_notes.h"
#include "engine/journal/journal_entry.h"

namespace journal {

class CRecordNotes final : public tlwin::IChangeNotes {
public:
    void NoteCreatedFolder(const TLString& folder) override;
    void NoteCreatedFile(const TLString& path) override;
    void NoteReplacedFile(const TLString& path, const TLString& aside) override;
    void NoteRegistryValue(HKEY root, const TLString& key, const TLString& name) override;
    void NoteKey(HKEY root, const TLString& key) override;

    const std::vector<Entry>& entries() const { return entries_; }
    // Adds the notes to the install record (AddToRecord); false when they could not be added.
    bool AddTo(const TLString& record) const;

private:
    std::vector<Entry> entries_;
};

}  // namespace journal
