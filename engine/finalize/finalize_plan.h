#pragma once
// What finalization writes and decides, as plain functions of the pending operations: the values of
// the "Installer\Finalize" settings section, the RunOnce command that hands them to the package
// installer at the next log-on, whether Windows must restart, what Finish does and the bytes of the
// finish note.

#include <vector>

#include "core/string/tl_string.h"
#include "engine/pending/pending_operations.h"

namespace engine {

// The finish page's follow-up.
enum FinishAction : int { kFinishNothing = 0, kFinishRestart = 1, kFinishRunProgram = 2 };

struct FinalizeValue {
    TLString name;  // "Install File (%d)", "Delete File (%d)" or "Register File (%d)"
    TLString data;  // the pending record, unchanged
};

// The section's values in the order they are written: the pending file list's records (deletions
// and installs numbered apart), then the registrations. Each name counts from 0 on its own.
std::vector<FinalizeValue> FinalizeFileValues(const PendingOperations& pending);
std::vector<FinalizeValue> FinalizeRegistrationValues(const PendingOperations& pending);

// Whether anything is left for the next start, so that the section and RunOnce are written at all.
bool HasFinalizeWork(const PendingOperations& pending);

inline constexpr std::u16string_view kInstallFileFormat = u"Install File (%d)";
inline constexpr std::u16string_view kDeleteFileFormat = u"Delete File (%d)";
inline constexpr std::u16string_view kRegisterFileFormat = u"Register File (%d)";

inline constexpr char16_t kRunOnceKey[] = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
inline constexpr char16_t kRunOnceValue[] = u"Install Wizard Completion";
inline constexpr char16_t kFinalizeSection[] = u"Installer\\Finalize";

// "\"<destination>PackageInstaller.exe\" \"/FinishInstall\"", kept as REG_SZ with its terminating zero.
TLString RunOnceCommand(const TLString& destination_folder);

// A record's two halves, split at its first "|" (Windows file names cannot hold one, so a second
// "|" belongs to the second half). A record without one is all first half.
struct PendingRecord {
    TLString first;
    TLString second;
};
PendingRecord SplitPendingRecord(const TLString& record);

struct FinishDecision {
    bool restart_required = false;
    int action = kFinishNothing;
};

// A restart is needed when the copy phase said so or when a pending file record is more than a
// lone "|..." and does not merely replace the shell extension (which Explorer lets go of at log-off).
// Without the tools library's text search the shell extension is not told apart.
FinishDecision DecideFinish(const PendingOperations& pending, bool no_run, bool tools_available);

// The media-server edition runs no "/Register" of its own programs.
bool IsMediaServerEdition(const TLString& main_program_file_name);

// What Finish does for the chosen action.
struct FinishPlan {
    bool confirm_restart = false;  // ask, then restart Windows
    bool write_note = false;       // write "Finish.txt"; otherwise a note of an earlier run is removed
};
FinishPlan PlanFinish(int action, bool silent, bool main_program_exists);

// The text of "Finish.txt" (kept as UTF-16LE with its byte order mark): the header line and the
// program's path, with nothing after it.
TLString FinishNoteText(const TLString& main_program_path);

}  // namespace engine
