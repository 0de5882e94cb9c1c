#pragma once
// IChangeNotes: told of a change to the machine just before it is made, so that whoever keeps the
// notes can undo the change or list it for the uninstaller. Code that changes the machine takes one;
// code that runs with nobody keeping notes passes NoChangeNotes().

#include <windows.h>

#include "core/string/tl_string.h"

namespace tlwin {

class IChangeNotes {
public:
    virtual ~IChangeNotes() = default;

    virtual void NoteCreatedFolder(const TLString& folder) = 0;
    virtual void NoteCreatedFile(const TLString& path) = 0;
    // The earlier file at `path` is renamed to `aside` before the new one takes its place; `aside` is
    // empty when the earlier file is not kept.
    virtual void NoteReplacedFile(const TLString& path, const TLString& aside) = 0;
    // A value about to be written or deleted: its present state is what an undo puts back. A missing
    // key counts as about to be made.
    virtual void NoteRegistryValue(HKEY root, const TLString& key, const TLString& name) = 0;
    // A key about to be made, with the missing keys above it.
    virtual void NoteKey(HKEY root, const TLString& key) = 0;
};

// Notes that nobody keeps.
IChangeNotes& NoChangeNotes();

// Notes every value in the key and in the keys below it, as a deletion of the whole tree needs. Keys
// that hold no value come back only as far as a value below them needs them.
void NoteKeyTree(IChangeNotes& notes, HKEY root, const TLString& key);

// Makes the folder and every missing one above it, noting each one before it is made.
bool MakeNotedFolders(IChangeNotes& notes, const TLString& folder);

}  // namespace tlwin
