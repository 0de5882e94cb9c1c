#include "engine/copy/file_copier.h"

#include <windows.h>

#include "core/path/path_parts.h"
#include "core/tools/tools.h"
#include "core/windows/file_attributes.h"
#include "core/windows/file_operations.h"
#include "core/windows/file_version.h"
#include "core/windows/fonts.h"
#include "core/windows/run_program.h"
#include "core/windows/system_message.h"
#include "core/windows/tl_file_system.h"
#include "engine/copy/copy_prompts.h"
#include "engine/copy/copy_rules.h"
#include "engine/copy/file_kinds.h"
#include "engine/journal/file_changes.h"
#include "engine/pending/pending_records.h"

namespace engine {
namespace {

void SetNormalAttributes(const TLString& path) { tlwin::SetAttributesAt(path, FILE_ATTRIBUTE_NORMAL); }

}  // namespace

CFileCopier::CFileCopier(TLString source_root, TLString install_folder, PendingOperations& pending,
                         tools::IInstallPrompts& prompts, journal::CJournal* journal)
    : source_root_(std::move(source_root)),
      install_folder_(std::move(install_folder)),
      pending_(pending),
      prompts_(prompts),
      journal_(journal) {}

FileFacts CFileCopier::FactsOf(const TLString& source, const TLString& destination, CopyMode mode,
                                 bool destination_new) const {
    FileFacts facts;
    facts.core_library = core_libraries_.Find(source, true) != TLString::npos;
    facts.destination_new = destination_new;
    if (mode == CopyMode::kCheckVersion && IsVersionedFile(source)) {
        facts.versions.readable = tlwin::VersionFunctionsAvailable();
        facts.versions.source = tlwin::FileVersion(source);
        facts.versions.destination = destination_new ? 0 : tlwin::FileVersion(destination);
    }
    return facts;
}

bool CFileCopier::Copy(const TLString& source, const TLString& destination, CopyMode mode,
                       TLStringArray* register_list) {
    journal::MakeFolders(journal_, tlpath::FolderOf(destination));
    FileFacts facts = FactsOf(source, destination, mode);
    facts.size = static_cast<uint64_t>(std::max<int64_t>(tlwin::TLFileSystem::FileSize(source), 0));
    facts.special_attributes = true;  // unknown here: cleared after the copy in any case
    return Apply(PlanFileCopy(source, destination, mode, register_list != nullptr, facts), register_list);
}

bool CFileCopier::Apply(const FileAction& action, TLStringArray* register_list) {
    if (action.kind == FileActionKind::kNone) return true;
    bool deferred = false;
    if (action.kind == FileActionKind::kCopy) {
        if (action.stop_server_first && tlwin::FileExists(action.destination))
            tlwin::RunWithParameter(action.destination, u"stop", true, false, nullptr, 0);
        const Outcome outcome = PlaceOrDefer(action);
        if (outcome == Outcome::kCancelled) return false;
        deferred = outcome == Outcome::kDeferred;
    }
    RegistrationRoute route = action.registration;
    if (deferred && route != RegistrationRoute::kNone) route = RegistrationRoute::kPendingList;
    switch (route) {
        case RegistrationRoute::kNone:
            break;
        case RegistrationRoute::kPendingList:
            pending_.registrations.Add(RegisterRecord(action.destination));
            break;
        case RegistrationRoute::kRegisterList:
            if (register_list) register_list->Add(action.destination);
            break;
        case RegistrationRoute::kRegisterAtOnce:
            tlwin::RegisterInProcess(action.destination);
            break;
    }
    return true;
}

CFileCopier::Outcome CFileCopier::PlaceOrDefer(const FileAction& action) {
    for (;;) {
        DWORD error = journal::PlaceFile(journal_, action.source, action.destination, action.destination_new);
        if (error == ERROR_SUCCESS) {
            if (action.special_attributes) SetNormalAttributes(action.destination);
            if (action.mode == CopyMode::kFont) {
                if (journal_) journal_->NoteFont(action.destination);
                tlwin::AddFont(action.destination);
            }
            return Outcome::kPlaced;
        }
        if (ClassifyCopyError(error) == CopyFailure::kInUse) {
            if (const std::optional<Outcome> outcome = Defer(action)) return *outcome;
            error = GetLastError();
            tools::LogFormat(u"CFileCopier::Copy", u"In use and could not be staged: %s", action.destination);
        }
        tools::LogFormat(u"CFileCopier::Copy", u"Error %d copying %s", static_cast<int>(error), action.destination);
        if (!RetryChosen(prompts_.Ask(FileCopyFailure(action.destination, tlwin::SystemMessage(error)))))
            return Outcome::kCancelled;
    }
}

std::optional<CFileCopier::Outcome> CFileCopier::Defer(const FileAction& action) {
    if (ScheduleReplacement(action.source, action.destination)) {
        const DeferralEffect effect = EffectOfDeferral(action.source, action.destination);
        if (effect.shell_extension_waits) pending_.shell_extension_in_place = false;
        if (effect.restart_required) pending_.restart_required = true;
        tools::LogFormat(u"CFileCopier::Copy", u"In use, replaced at the next start: %s", action.destination);
        return Outcome::kDeferred;
    }
    // Without a delayed move the package installer puts the staged copy in place at the next start;
    // the file counts as not deferred.
    if (RecordForNextStart(action.source, action.destination, false)) return Outcome::kPlaced;
    return std::nullopt;
}

TLString CFileCopier::StagedPath(const TLString& source) const {
    return tlwin::TLFileSystem::FreeName(StagingCandidate(install_folder_, source_root_, source));
}

bool CFileCopier::Stage(const TLString& source, const TLString& staged) {
    if (!journal::MakeFolders(journal_, tlpath::FolderOf(staged))) return false;
    if (journal_) journal_->NoteCreatedFile(staged);
    return tlwin::CopyFileTo(source, staged, true);
}

bool CFileCopier::ScheduleReplacement(const TLString& source, const TLString& destination) {
    const TLString staged = StagedPath(source);
    if (!Stage(source, staged)) return false;
    return tlwin::MoveFileOnRestart(staged, destination);
}

bool CFileCopier::RecordForNextStart(const TLString& source, const TLString& destination, bool folder) {
    const TLString staged = StagedPath(source);
    if (!Stage(source, staged)) return false;
    pending_.files.Add(ReplaceRecord(staged, destination));
    if (destination.empty()) {
        const TLString staged_folder = tlpath::FolderOf(staged);
        if (folder) {
            tlwin::TLFileSystem::CopyDirectoryTree(tlpath::FolderOf(source), staged_folder);
        } else {
            const TLString name = tlpath::NameOf(source);
            const TLString archive = name.Left(name.length() - tlpath::ExtensionOf(name).length()) + u".zip";
            tlwin::CopyFileTo(tlpath::FolderOf(source) + archive, staged_folder + archive, true);
        }
    }
    return true;
}

}  // namespace engine
