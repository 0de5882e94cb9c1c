#pragma once
// The copy phase decided before anything is done: what each file of a folder copy comes to, and the
// order of the phase's file work (system files, fonts, program files, the trees of earlier layouts,
// the licence). Plain data out of plain facts; the copier carries it out.

#include <cstdint>
#include <vector>

#include "core/string/tl_string.h"
#include "engine/copy/copy_mode.h"
#include "engine/copy/copy_rules.h"

namespace engine {

// What is known of one file of a folder copy before it is copied.
struct FileFacts {
    TLString relative;  // below the source and the destination folders
    uint64_t size = 0;
    bool special_attributes = false;  // the source is read-only, hidden or system
    bool core_library = false;        // put in place already by the core-library step
    // The destination's folder is made by this copy: nothing is there to set aside or compare with.
    bool destination_new = false;
    VersionFacts versions;            // read only where the version rule needs them
};

enum class FileActionKind {
    kCopy,  // put the source in place (a file in use waits for the next start)
    kKeep,  // the installed file is as new as the source: it stays
    kNone,  // a core library: done already, not registered here
};

struct FileAction {
    FileActionKind kind = FileActionKind::kCopy;
    TLString source;
    TLString destination;
    CopyMode mode = CopyMode::kAlwaysOverwrite;
    uint64_t size = 0;
    bool special_attributes = true;
    bool destination_new = false;  // nothing is at the destination yet
    // The media server holds its own program: it is told to stop before its file is replaced.
    bool stop_server_first = false;
    // Where the file goes to be registered once it is in place; a file that waits for the next start
    // is registered then instead ("_REGISTERFILE").
    RegistrationRoute registration = RegistrationRoute::kNone;
};

// One file copied on its own (`collecting`: an install object gathers the COM servers to register).
FileAction PlanFileCopy(const TLString& source, const TLString& destination, CopyMode mode, bool collecting,
                        const FileFacts& facts);
// Every file of a folder copy, in the order given; `source` and `destination` end in a backslash.
std::vector<FileAction> PlanFolderCopy(const TLString& source, const TLString& destination, CopyMode mode,
                                       bool collecting, const std::vector<FileFacts>& files);

// What the phase's file work depends on.
struct ProgramFilesFacts {
    TLString source_folder;   // the distribution, ends in a backslash
    TLString install_folder;  // ends in a backslash
    TLString product_name;
    TLString main_program;  // the main program's file name
    bool portable = false;
    bool media_server_edition = false;
    // The folder holds this product already: only then are folders of its earlier layouts removed.
    bool holds_product = false;
    bool main_program_installed = false;
    // Windows' folders, each ending in a backslash; empty when Windows did not give them.
    TLString system_folder;
    TLString system_wow64_folder;
    TLString windows_folder;
    // "Data\Languages\Chinese\" and "...\Chinese (simplified)\" once the program files are in place:
    // in the install folder already or among the program files.
    bool chinese_after_copy = false;
    bool chinese_simplified_after_copy = false;
    // Where startup could not put the launcher among the distribution's program files (read-only
    // media): the file copied straight into the install folder under `launcher_name`; else empty.
    TLString launcher_to_place;
    TLString launcher_name;
};

enum class PhaseActionKind {
    kStatus,       // text (untranslated; "%s" takes the product name), with the bar's position reset first when `reset`
    kShowError,    // the "Error" box with `text`; the install goes on
    kCopyFolder,   // source -> destination in `mode`; `collect`: COM servers go to the register list
    kCopyFile,     // source -> destination, always overwriting
    kStopProgram,  // run `path` with "/Stop", waiting at most 5 s
    kDeleteTree,   // path
    kDeleteFile,   // path
};

struct PhaseAction {
    PhaseActionKind kind = PhaseActionKind::kStatus;
    TLString text;
    TLString source;
    TLString destination;
    TLString path;
    CopyMode mode = CopyMode::kAlwaysOverwrite;
    bool collect = false;
    bool reset = false;
    friend bool operator==(const PhaseAction&, const PhaseAction&) = default;
};

// From "Installing system files..." to the licence, in the phase's order.
std::vector<PhaseAction> PlanProgramFiles(const ProgramFilesFacts& facts);

}  // namespace engine
