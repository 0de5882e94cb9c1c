#pragma once
// Applies the undo steps of an uninstall to the machine, logging each one. A file in use is deleted
// at the next start of Windows; a folder that still holds something stays, unless all it holds is
// going at the next start too, when it goes then as well. The uninstaller's own files (its program,
// the tools library it has loaded, the install record) cannot go while it runs: they are kept for
// last, for after the log is closed and the library unloaded.

#include <set>
#include <vector>

#include "core/string/tl_string.h"
#include "product/uninstall/uninstall_plan.h"

namespace uninstall {

struct UninstallOutcome {
    bool restart_needed = false;  // something the product put there goes only at the next start
    int failures = 0;             // changes that could not be undone, not even at the next start
};

class CUninstallExecutor {
public:
    // `last_files` are deleted only by FinishLast.
    explicit CUninstallExecutor(std::vector<TLString> last_files);

    void Apply(const std::vector<Step>& steps);
    // Deletes the keys the steps found still holding subkeys, once more: removing the product's own
    // keys afterwards may have emptied them.
    void DeleteKeysLeftBehind();
    // A folder to remove with the folders that wait for the files kept for last, when it is empty by
    // then: the product's folder, also when the install found it there.
    void RemoveFolderLast(const TLString& folder) { folders_waiting_.push_back(folder); }
    // Deletes the files kept for last and then the folders that waited for them. Logs nothing: the
    // log is gone by then. Only the running program itself may wait for the next start without it
    // counting as a restart the product needs.
    void FinishLast(const TLString& running_program);

    // Whether the file is gone, or goes at the next start.
    bool IsGone(const TLString& file) const;

    const UninstallOutcome& outcome() const { return outcome_; }

private:
    void RemoveFile(const journal::Entry& entry);
    void RemoveFolder(const journal::Entry& entry);
    void RestoreValue(const journal::Entry& entry);
    void DeleteKey(const journal::Entry& entry, bool log);
    // Removes an empty folder, or one whose entries all go at the next start, then too. False when it
    // stays.
    bool RemoveFolderNowOrAtRestart(const TLString& folder);
    bool IsLast(const TLString& path) const;

    struct NoCase {
        bool operator()(const TLString& a, const TLString& b) const { return a.CompareNoCase(b) < 0; }
    };
    std::vector<TLString> last_files_;
    std::set<TLString, NoCase> going_at_restart_;
    std::vector<TLString> folders_waiting_;
    std::vector<journal::Entry> keys_waiting_;
    UninstallOutcome outcome_;
};

}  // namespace uninstall
