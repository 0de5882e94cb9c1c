#include "engine/copy/file_copier.h"

#include <windows.h>

#include "core/path/path_parts.h"
#include "core/tools/tools.h"
#include "core/windows/file_attributes.h"
#include "core/windows/file_operations.h"
#include "core/windows/file_version.h"
#include "core/windows/fonts.h"
#include "core/windows/run_program.h"
#include "core/windows/tl_file_system.h"
#include "engine/copy/copy_rules.h"
#include "engine/copy/file_kinds.h"
#include "engine/pending/pending_records.h"

namespace engine {
namespace {

bool CopyOver(const TLString& source, const TLString& destination) {
    return tlwin::CopyFileTo(source, destination, true);
}

void SetNormalAttributes(const TLString& path) { tlwin::SetAttributesAt(path, FILE_ATTRIBUTE_NORMAL); }

}  // namespace

CFileCopier::CFileCopier(TLString source_root, TLString install_folder, PendingOperations& pending)
    : source_root_(std::move(source_root)), install_folder_(std::move(install_folder)), pending_(pending) {}

void CFileCopier::Copy(const TLString& source, const TLString& destination, CopyMode mode,
                       TLStringArray* register_list) {
    tlwin::TLFileSystem::MakeDirectoryTree(destination, true);
    CopyIntoFolder(source, destination, mode, register_list);
}

void CFileCopier::CopyIntoFolder(const TLString& source, const TLString& destination, CopyMode mode,
                                 TLStringArray* register_list, bool special_attributes) {
    if (IsMediaServerProgram(destination) && tlwin::TLFileSystem::FileExists(destination))
        tlwin::RunWithParameter(destination, u"stop", true, false, nullptr, 0);
    if (core_libraries_.Find(source, true) != TLString::npos) return;

    VersionFacts versions;
    if (mode == CopyMode::kCheckVersion && IsVersionedFile(source)) {
        versions.source = tlwin::FileVersion(source);
        versions.destination = tlwin::FileVersion(destination);
    }
    const bool deferred = ShouldCopy(mode, source, versions) && Replace(source, destination, mode, special_attributes);

    switch (RouteRegistration(source, deferred, register_list != nullptr)) {
        case RegistrationRoute::kNone:
            break;
        case RegistrationRoute::kPendingList:
            pending_.registrations.Add(RegisterRecord(destination));
            break;
        case RegistrationRoute::kRegisterList:
            register_list->Add(destination);
            break;
        case RegistrationRoute::kRegisterAtOnce:
            tlwin::RegisterInProcess(destination);
            break;
    }
}

bool CFileCopier::Replace(const TLString& source, const TLString& destination, CopyMode mode, bool special_attributes) {
    // A read-only file in the way refuses the copy; its attributes are cleared only then, which spares
    // the call for the many files that are new or writable.
    bool copied = CopyOver(source, destination);
    DWORD error = copied ? ERROR_SUCCESS : GetLastError();
    if (error == ERROR_ACCESS_DENIED && tlwin::FileExists(destination)) {
        SetNormalAttributes(destination);
        copied = CopyOver(source, destination);
        error = copied ? ERROR_SUCCESS : GetLastError();
    }
    if (copied) {
        if (special_attributes) SetNormalAttributes(destination);
        if (mode == CopyMode::kFont) tlwin::AddFont(destination);
        return false;
    }
    if (ClassifyCopyError(error) == CopyFailure::kKeepInstalled) {
        ++not_installed_;
        tools::LogFormat(u"CFileCopier::Copy",
                         u"Error %d copying %s: the installed file stays, the install is incomplete",
                         static_cast<int>(error), destination);
        return false;
    }
    if (ScheduleReplacement(source, destination)) {
        const DeferralEffect effect = EffectOfDeferral(source, destination);
        if (effect.shell_extension_waits) pending_.shell_extension_in_place = false;
        if (effect.restart_required) pending_.restart_required = true;
        tools::LogFormat(u"CFileCopier::Copy", u"In use, replaced at the next start: %s", destination);
        return true;
    }
    if (!RecordForNextStart(source, destination, false)) {
        ++not_installed_;
        tools::LogFormat(u"CFileCopier::Copy", u"In use and could not be staged: %s", destination);
    }
    return false;
}

TLString CFileCopier::StagedPath(const TLString& source) const {
    return tlwin::TLFileSystem::FreeName(StagingCandidate(install_folder_, source_root_, source));
}

bool CFileCopier::ScheduleReplacement(const TLString& source, const TLString& destination) {
    const TLString staged = StagedPath(source);
    if (!tlwin::TLFileSystem::MakeDirectoryTree(staged, true) || !CopyOver(source, staged)) return false;
    return tlwin::MoveFileOnRestart(staged, destination);
}

bool CFileCopier::RecordForNextStart(const TLString& source, const TLString& destination, bool folder) {
    const TLString staged = StagedPath(source);
    if (!tlwin::TLFileSystem::MakeDirectoryTree(staged, true) || !CopyOver(source, staged)) return false;
    pending_.files.Add(ReplaceRecord(staged, destination));
    if (destination.empty()) {
        const TLString staged_folder = tlpath::FolderOf(staged);
        if (folder) {
            tlwin::TLFileSystem::CopyDirectoryTree(tlpath::FolderOf(source), staged_folder);
        } else {
            const TLString name = tlpath::NameOf(source);
            const TLString archive = name.Left(name.length() - tlpath::ExtensionOf(name).length()) + u".zip";
            CopyOver(tlpath::FolderOf(source) + archive, staged_folder + archive);
        }
    }
    return true;
}

}  // namespace engine
