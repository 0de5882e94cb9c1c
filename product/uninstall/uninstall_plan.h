#pragma once
// What an uninstall does, decided from the install record alone: each lasting change of the install,
// last first, turned into one undo step, and every path outside the places the product may own turned
// into a step that only says why it is left alone. The steps are plain data; the uninstaller applies
// them and logs each one.

#include <vector>

#include "core/string/tl_string.h"
#include "engine/journal/journal_entry.h"

namespace uninstall {

// The places whose files an install may have put there, each with a trailing backslash (empty when
// unknown: nothing is allowed there).
struct ProductPlaces {
    TLString destination;         // the product's folder: everything below it, and the folder itself
    TLString system_folder;       // the product's system files: files directly inside, never the folder
    TLString system_wow64_folder; // the same for the 32-bit system files
    TLString fonts_folder;        // the product's fonts: files directly inside, never the folder
    TLString start_menu_folder;   // the product's own Start menu folder: everything below it, and itself
    TLString desktop_folder;      // shortcuts (".lnk") directly inside
    TLString quick_launch_folder; // shortcuts (".lnk") directly inside
    // Whether another product of the family is still installed: its programs may need the system files.
    bool system_files_shared = false;
};

enum class StepKind {
    kUnregisterServer,  // path: a library's own registration is taken back (DllUnregisterServer) before any file goes
    kDeleteFile,    // path
    kRemoveFolder,  // path, only when empty
    kTakeBackFont,  // path: the font is withdrawn from Windows (its file goes with its own step)
    kRestoreValue,  // root, path (key), name, earlier, written when known
    kDeleteKey,     // root, path, only when it holds no subkeys
    kLeaveAlone,    // path or key that is not the product's to remove; `reason` says why
};

struct Step {
    StepKind kind = StepKind::kLeaveAlone;
    journal::Entry entry;
    TLString reason;
};

// Whether `path` names a place below (or, for folders, at) one of the product's places. Paths with
// "." or ".." parts, forward slashes or without a drive never do. A folder above the destination
// counts too: the install made it for the destination, and it goes only when empty.
bool IsProductPath(const TLString& path, bool is_folder, const ProductPlaces& places);

// The undo steps of a record's entries, last entry first; first of all, each library the uninstall
// deletes that may have registered itself takes its registration back, while the files it needs are
// still there.
std::vector<Step> PlanUninstall(const std::vector<journal::Entry>& record, const ProductPlaces& places);

enum class ValueUndo {
    kAsBefore,      // it holds what it held before the install already
    kPutBack,       // the earlier value goes back, or the value goes where there was none
    kPutBackup,     // the other program's value kept in the backup goes back, and the backup goes
    kChangedSince,  // another program wrote the value after the install: it stays as it is
};

// What to do with a value the install wrote, from what it holds now and what its backup (the string
// the shell registration keeps of a value it replaces, under the name plus ".BAK") holds now. The backup is the older truth: a reinstall's record finds the product's own value
// as the earlier one, while the backup still has the other program's.
ValueUndo DecideValueUndo(const journal::Entry& entry, const journal::ValueState& now,
                          const journal::ValueState& backup = {});

// What a registered player plug-in's bookkeeping section ("Plugins\Uninstall\<file name>") says.
struct PluginBookkeeping {
    TLString name;      // the bookkeeping section's name below "Plugins\Uninstall\"
    TLString library;   // "Path"
    TLString sections;  // "Sections": the record sections its registration wrote, "|"-separated
};

// The settings sections to delete for a plug-in whose library is gone: each record section it lists
// that is a plug-in record (below "Plugins\", plain parts only; anything else is no record of it and
// stays), then its bookkeeping section.
std::vector<TLString> PluginSectionsToRemove(const PluginBookkeeping& plugin);

}  // namespace uninstall
