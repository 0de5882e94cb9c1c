#pragma once
// CInstallHelper: the copy-and-register phase of an install. It cleans the install folder, copies the
// core libraries and writes the installations record, puts system files and fonts in place, copies
// and registers the program files and writes the uninstall entry, reporting as it goes. Every change
// is noted in a journal: a phase that fails or is cancelled is undone, a phase that ends leaves the
// install record for the uninstaller, and a phase that was ended half way is undone by the next run.

#include <optional>

#include "core/session/install_session.h"
#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"
#include "core/tools/install_prompts.h"
#include "engine/copy/copy_plan.h"
#include "engine/copy/file_copier.h"
#include "engine/copy/install_progress.h"
#include "engine/journal/journal.h"
#include "engine/pending/pending_operations.h"

namespace engine {

class CInstallHelper {
public:
    // `source_folder` is the distribution folder (the installer's own, with a trailing backslash).
    // The journal is kept in `journal_file`; by default "Tonehall Setup.journal" in the temporary
    // folder, where the next run looks for it whatever folder it installs to.
    CInstallHelper(const InstallSession& session, TLString source_folder, PendingOperations& pending,
                   TLString journal_file = DefaultJournalFile());

    // Runs the phase's steps in order. False when a step that must not fail failed (a file could not
    // be put in place and the user chose Cancel): "Install Error" is shown, every change of the phase
    // is undone, and the installation stops (the wizard closes).
    bool CopyAndRegister(IInstallProgress& progress, tools::IInstallPrompts& prompts);

    // The COM servers copied, in the order they were registered.
    const TLStringArray& RegisterList() const { return register_list_; }

    static TLString DefaultJournalFile();

private:
    bool RunSteps(IInstallProgress& progress, tools::IInstallPrompts& prompts, journal::CJournal& journal);
    void Clean(IInstallProgress& progress);
    void MarkPortable(journal::CJournal& journal);
    void MigrateSettings(IInstallProgress& progress, journal::CJournal& journal);
    ProgramFilesFacts GatherProgramFilesFacts() const;
    bool Apply(const PhaseAction& action, IInstallProgress& progress, tools::IInstallPrompts& prompts,
               journal::CJournal& journal);
    void RegisterProgramFiles(IInstallProgress& progress, tools::IInstallPrompts& prompts, journal::CJournal& journal);
    void RegisterWithShell(IInstallProgress& progress, tools::IInstallPrompts& prompts, journal::CJournal& journal);
    void WriteUninstallEntry(journal::CJournal& journal);

    const InstallSession& session_;
    TLString source_folder_;
    TLString install_folder_;
    PendingOperations& pending_;
    TLString journal_file_;
    // Made when the phase starts: the wizard chooses the destination after the page is built.
    std::optional<CFileCopier> copier_;
    TLStringArray register_list_;
    bool media_server_edition_ = false;
    bool holds_product_ = false;
};

}  // namespace engine
