#include "product/uninstall/uninstall_executor.h"

#include <windows.h>

#include <algorithm>

#include "core/tools/tools.h"
#include "core/windows/file_operations.h"
#include "core/windows/folder_entries.h"
#include "core/windows/registry.h"
#include "core/windows/run_program.h"
#include "core/windows/tl_file_system.h"
#include "engine/journal/registry_state.h"
#include "shell/registry/registry_changes.h"

namespace uninstall {
namespace {

constexpr char16_t kFunction[] = u"Uninstall";

TLString WithoutBackslash(const TLString& path) {
    TLString trimmed = path;
    return trimmed.RemoveTrailingBackslashes();
}

TLString ValueName(const journal::Entry& entry) {
    return entry.root + u"\\" + entry.path + u"\\" + (entry.name.empty() ? TLString(u"(default)") : entry.name);
}

}  // namespace

CUninstallExecutor::CUninstallExecutor(std::vector<TLString> last_files) : last_files_(std::move(last_files)) {}

bool CUninstallExecutor::IsLast(const TLString& path) const {
    return std::any_of(last_files_.begin(), last_files_.end(),
                       [&](const TLString& last) { return last.EqualsNoCase(path); });
}

bool CUninstallExecutor::IsGone(const TLString& file) const {
    return !tlwin::TLFileSystem::FileExists(file) || going_at_restart_.count(file) != 0;
}

void CUninstallExecutor::Apply(const std::vector<Step>& steps) {
    for (const Step& step : steps) {
        switch (step.kind) {
            case StepKind::kUnregisterServer:
                if (tlwin::TLFileSystem::FileExists(step.entry.path) && tlwin::UnregisterInProcess(step.entry.path))
                    tools::LogFormat(kFunction, u"Registration taken back: %s", step.entry.path);
                break;
            case StepKind::kDeleteFile:
                RemoveFile(step.entry);
                break;
            case StepKind::kRemoveFolder:
                RemoveFolder(step.entry);
                break;
            case StepKind::kTakeBackFont:
                RemoveFontResourceW(step.entry.path.wc());
                break;
            case StepKind::kRestoreValue:
                RestoreValue(step.entry);
                break;
            case StepKind::kDeleteKey:
                DeleteKey(step.entry, true);
                break;
            case StepKind::kLeaveAlone:
                tools::Log(kFunction,
                           TLString::Format(u"Left alone (%s): %s", step.reason,
                                            step.entry.path.empty() ? ValueName(step.entry) : step.entry.path),
                           tltools::ILogger::kWarning);
                break;
        }
    }
}

void CUninstallExecutor::RemoveFile(const journal::Entry& entry) {
    if (IsLast(entry.path) || !tlwin::TLFileSystem::FileExists(entry.path)) return;
    if (tlwin::TLFileSystem::DeleteFile(entry.path)) return;
    const DWORD error = GetLastError();
    if (tlwin::MoveFileOnRestart(entry.path, TLString())) {
        going_at_restart_.insert(entry.path);
        outcome_.restart_needed = true;
        tools::LogFormat(kFunction, u"In use (error %d), deleted at the next start: %s", static_cast<int>(error),
                         entry.path);
        return;
    }
    ++outcome_.failures;
    tools::Log(kFunction,
               TLString::Format(u"Cannot delete (error %d): %s", static_cast<int>(GetLastError()), entry.path),
               tltools::ILogger::kError);
}

void CUninstallExecutor::RemoveFolder(const journal::Entry& entry) {
    const TLString folder = WithoutBackslash(entry.path);
    if (!tlwin::TLFileSystem::FolderExists(folder)) return;
    if (RemoveFolderNowOrAtRestart(folder)) return;
    // It may hold no more than the files kept for last.
    folders_waiting_.push_back(folder);
    tools::LogFormat(kFunction, u"Not empty, stays: %s", folder);
}

bool CUninstallExecutor::RemoveFolderNowOrAtRestart(const TLString& folder) {
    if (!tlwin::TLFileSystem::FolderExists(folder)) return true;
    if (RemoveDirectoryW(tlwin::ForWindows(folder).wc())) return true;
    bool all_going = true;
    tlwin::ForEachEntry(folder, [&](const TLString& name, DWORD) {
        all_going = going_at_restart_.count(folder + u"\\" + name) != 0;
        return all_going;
    });
    if (!all_going || !tlwin::MoveFileOnRestart(folder, TLString())) return false;
    going_at_restart_.insert(folder);
    return true;
}

void CUninstallExecutor::RestoreValue(const journal::Entry& entry) {
    const HKEY root = journal::RootOfWord(entry.root);
    const journal::ValueState now = journal::ReadValueState(root, entry.path, entry.name);
    const TLString backup_name = shell::BackupValueName(entry.name);
    const journal::ValueState backup = journal::ReadValueState(root, entry.path, backup_name);
    bool restored = true;
    switch (DecideValueUndo(entry, now, backup)) {
        case ValueUndo::kAsBefore:
            return;
        case ValueUndo::kChangedSince:
            tools::LogFormat(kFunction, u"Changed by another program since the install, stays: %s", ValueName(entry));
            return;
        case ValueUndo::kPutBackup:
            restored = journal::RestoreValueState(root, entry.path, entry.name, backup) &&
                       journal::RestoreValueState(root, entry.path, backup_name, journal::ValueState{});
            break;
        case ValueUndo::kPutBack:
            restored = journal::RestoreValueState(root, entry.path, entry.name, entry.earlier);
            break;
    }
    if (restored) return;
    ++outcome_.failures;
    tools::Log(kFunction, u"Cannot put back " + ValueName(entry), tltools::ILogger::kError);
}

void CUninstallExecutor::DeleteKey(const journal::Entry& entry, bool log) {
    const HKEY root = journal::RootOfWord(entry.root);
    const tlwin::RegistryKey key = tlwin::RegistryKey::Open(root, entry.path);
    if (!key.IsOpen()) return;
    const bool empty = key.SubkeyNames().IsEmpty() && key.ValueNames().IsEmpty();
    // A value another program added, or one the install found changed, keeps the key.
    if (empty && tlwin::DeleteKeyWithoutSubkeys(root, entry.path)) return;
    keys_waiting_.push_back(entry);
    if (log) tools::LogFormat(kFunction, u"Not empty, stays: %s\\%s", entry.root, entry.path);
}

void CUninstallExecutor::DeleteKeysLeftBehind() {
    std::vector<journal::Entry> keys;
    keys.swap(keys_waiting_);
    for (const journal::Entry& key : keys) DeleteKey(key, false);
}

void CUninstallExecutor::FinishLast(const TLString& running_program) {
    for (const TLString& file : last_files_) {
        if (!tlwin::TLFileSystem::FileExists(file) || tlwin::TLFileSystem::DeleteFile(file)) continue;
        if (!tlwin::MoveFileOnRestart(file, TLString())) {
            ++outcome_.failures;
            continue;
        }
        going_at_restart_.insert(file);
        if (!file.EqualsNoCase(running_program)) outcome_.restart_needed = true;
    }
    for (const TLString& folder : folders_waiting_) RemoveFolderNowOrAtRestart(folder);
}

}  // namespace uninstall
