#include "engine/journal/file_changes.h"

#include "core/windows/change_notes.h"
#include "core/windows/file_attributes.h"
#include "core/windows/file_operations.h"
#include "core/windows/folder_entries.h"
#include "core/windows/tl_file_system.h"

namespace journal {
namespace {

// CopyFileW refuses to overwrite a read-only file: its attributes are cleared only then, which spares
// the call for the many files that are new or writable.
DWORD CopyOver(const TLString& source, const TLString& destination) {
    if (tlwin::CopyFileTo(source, destination, true)) return ERROR_SUCCESS;
    const DWORD error = GetLastError();
    if (error != ERROR_ACCESS_DENIED || !tlwin::FileExists(destination)) return error;
    tlwin::SetAttributesAt(destination, FILE_ATTRIBUTE_NORMAL);
    return tlwin::CopyFileTo(source, destination, true) ? ERROR_SUCCESS : GetLastError();
}

}  // namespace

bool MakeFolders(CJournal* journal, const TLString& folder) {
    return journal ? tlwin::MakeNotedFolders(*journal, folder) : tlwin::TLFileSystem::MakeDirectoryTree(folder);
}

DWORD PlaceFile(CJournal* journal, const TLString& source, const TLString& destination) {
    if (!journal) return CopyOver(source, destination);
    TLString aside;
    if (tlwin::FileExists(destination)) {
        aside = AsideName(destination);
        journal->NoteReplacedFile(destination, aside);
        if (!tlwin::MoveFileTo(destination, aside)) return GetLastError();
    } else {
        journal->NoteCreatedFile(destination);
    }
    const DWORD error = CopyOver(source, destination);
    if (error == ERROR_SUCCESS) return error;
    // A full disk leaves a copy cut short: the earlier file goes back in its place now, so that a
    // retry or the rollback starts from what was there.
    tlwin::TLFileSystem::DeleteFile(destination);
    if (!aside.empty()) MoveFileW(tlwin::ForWindows(aside).wc(), tlwin::ForWindows(destination).wc());
    SetLastError(error);
    return error;
}

bool CopyTree(CJournal* journal, const TLString& source, const TLString& destination) {
    if (!journal) return tlwin::TLFileSystem::CopyDirectoryTree(source, destination);
    TLString from = source, to = destination;
    from.EnsureTrailingBackslash();
    to.EnsureTrailingBackslash();
    if (to.StartsWithNoCase(from) || !MakeFolders(journal, to)) return false;
    bool copied = true;
    tlwin::ForEachEntry(from, [&](const TLString& name, DWORD attributes) {
        if (tlwin::IsLink(attributes)) return true;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            copied &= CopyTree(journal, from + name, to + name);
        else
            copied &= PlaceFile(journal, from + name, to + name) == ERROR_SUCCESS;
        return true;
    });
    return copied;
}

bool RemoveFile(CJournal* journal, const TLString& path) {
    if (!journal || !tlwin::FileExists(path)) return tlwin::TLFileSystem::DeleteFile(path);
    const TLString aside = AsideName(path);
    journal->NoteMovedFileAside(path, aside);
    return tlwin::MoveFileTo(path, aside) || tlwin::TLFileSystem::DeleteFile(path);
}

bool RemoveTree(CJournal* journal, const TLString& folder) {
    if (!journal || !tlwin::FolderExists(folder)) return tlwin::TLFileSystem::DeleteDirectoryTree(folder);
    TLString bare = folder;
    bare.RemoveTrailingBackslashes();
    const TLString aside = AsideName(bare);
    journal->NoteMovedTreeAside(bare, aside);
    return tlwin::MoveFileTo(bare, aside) || tlwin::TLFileSystem::DeleteDirectoryTree(folder);
}

}  // namespace journal
