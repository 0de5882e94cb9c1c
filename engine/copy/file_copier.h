#pragma once
// CFileCopier carries out the planned file actions of the copy phase: files put in place through the
// journal, files in use staged in the install folder's "Setup\" and moved at the next start, COM
// servers routed to their registration, and a copy that fails for any other reason asked about
// ("Retry" or "Cancel") instead of being passed over.

#include <optional>

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"
#include "core/tools/install_prompts.h"
#include "engine/copy/copy_mode.h"
#include "engine/copy/copy_plan.h"
#include "engine/journal/journal.h"
#include "engine/pending/pending_operations.h"

namespace engine {

class CFileCopier {
public:
    // `source_root` is the distribution folder (staged copies keep their path below it);
    // `install_folder` the destination folder whose "Setup\" holds them. With a journal every change
    // is noted so that it can be undone.
    CFileCopier(TLString source_root, TLString install_folder, PendingOperations& pending,
                tools::IInstallPrompts& prompts, journal::CJournal* journal = nullptr);

    // What is known of `source` and `destination` before the copy: sizes, attributes and, where the
    // version rule needs them, versions (a new destination has none to read).
    FileFacts FactsOf(const TLString& source, const TLString& destination, CopyMode mode,
                      bool destination_new = false) const;

    // Carries out one planned action. False when the file could not be put in place and the person
    // chose Cancel: the install must stop. A COM server goes to `register_list` when one is given
    // (the plan says so), else it is registered at once.
    bool Apply(const FileAction& action, TLStringArray* register_list);
    // Plans and applies the copy of one file, making its folder first.
    bool Copy(const TLString& source, const TLString& destination, CopyMode mode, TLStringArray* register_list);

    // Stages `source` and has Windows move it over `destination` at the next start.
    bool ScheduleReplacement(const TLString& source, const TLString& destination);
    // Stages `source` and adds "staged|destination" to the pending file list. With an empty
    // destination (a plug-in package) the archive of the same name beside it, or with `folder` the
    // source's whole folder, is staged too.
    bool RecordForNextStart(const TLString& source, const TLString& destination, bool folder);

    // Sources that the core-library step copied already; the program file copy leaves them alone.
    void SetCopiedCoreLibraries(TLStringArray sources) { core_libraries_ = std::move(sources); }

    journal::CJournal* journal() const { return journal_; }

private:
    enum class Outcome { kPlaced, kDeferred, kCancelled };
    Outcome PlaceOrDefer(const FileAction& action);
    // Stages a file in use; nothing when even that fails.
    std::optional<Outcome> Defer(const FileAction& action);
    TLString StagedPath(const TLString& source) const;
    bool Stage(const TLString& source, const TLString& staged);

    TLString source_root_;
    TLString install_folder_;
    PendingOperations& pending_;
    tools::IInstallPrompts& prompts_;
    journal::CJournal* journal_;
    TLStringArray core_libraries_;
};

}  // namespace engine
