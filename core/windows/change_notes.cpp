#include "core/windows/change_notes.h"

#include <vector>

#include "core/windows/file_attributes.h"
#include "core/windows/registry.h"
#include "core/windows/tl_file_system.h"

namespace tlwin {
namespace {

class NoNotes final : public IChangeNotes {
public:
    void NoteCreatedFolder(const TLString&) override {}
    void NoteCreatedFile(const TLString&) override {}
    void NoteReplacedFile(const TLString&, const TLString&) override {}
    void NoteRegistryValue(HKEY, const TLString&, const TLString&) override {}
    void NoteKey(HKEY, const TLString&) override {}
};

// The registry's own limit on how deep keys go; a cycle of links cannot take the walk further.
constexpr int kDeepestKey = 512;

void NoteTree(IChangeNotes& notes, HKEY root, const TLString& key, int depth) {
    const RegistryKey opened = RegistryKey::Open(root, key);
    if (!opened.IsOpen() || depth > kDeepestKey) return;
    for (const TLString& name : opened.ValueNames()) notes.NoteRegistryValue(root, key, name);
    for (const TLString& subkey : opened.SubkeyNames())
        if (!opened.IsSubkeyLink(subkey)) NoteTree(notes, root, key + u"\\" + subkey, depth + 1);
}

}  // namespace

IChangeNotes& NoChangeNotes() {
    static NoNotes none;
    return none;
}

void NoteKeyTree(IChangeNotes& notes, HKEY root, const TLString& key) { NoteTree(notes, root, key, 0); }

bool MakeNotedFolders(IChangeNotes& notes, const TLString& folder) {
    TLString path = folder;
    path.RemoveTrailingBackslashes();
    std::vector<TLString> missing;
    while (!path.empty() && !FolderExists(path)) {
        missing.push_back(path);
        const size_t slash = path.ReverseFind(u'\\');
        if (slash == TLString::npos) break;
        path = path.Left(slash);
    }
    for (auto level = missing.rbegin(); level != missing.rend(); ++level) {
        notes.NoteCreatedFolder(*level);
        if (!CreateDirectoryW(ForWindows(*level).wc(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return TLFileSystem::MakeDirectoryTree(folder);  // logs why it cannot be made
    }
    return true;
}

}  // namespace tlwin
