#pragma once
// Where package actions note the changes they make to the machine, before making them, so that the
// install that ran them can undo them and the uninstaller can remove them. Setup.exe passes its
// journal; the package installer run on its own passes NoChangeNotes.

#include <windows.h>

#include "core/string/tl_string.h"

namespace package {

class IChangeNotes {
public:
    virtual void NoteCreatedFolder(const TLString& folder) = 0;
    virtual void NoteCreatedFile(const TLString& path) = 0;
    // Reads what the value holds now, so that it can be put back.
    virtual void NoteRegistryValue(HKEY root, const TLString& key, const TLString& name) = 0;

protected:
    ~IChangeNotes() = default;
};

class NoChangeNotes final : public IChangeNotes {
public:
    void NoteCreatedFolder(const TLString&) override {}
    void NoteCreatedFile(const TLString&) override {}
    void NoteRegistryValue(HKEY, const TLString&, const TLString&) override {}
};

}  // namespace package
