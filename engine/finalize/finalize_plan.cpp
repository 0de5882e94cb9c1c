#include "engine/finalize/finalize_plan.h"

#include "engine/pending/pending_records.h"

namespace engine {

std::vector<FinalizeValue> FinalizeFileValues(const PendingOperations& pending) {
    std::vector<FinalizeValue> values;
    int installs = 0;
    int deletions = 0;
    for (const TLString& record : pending.files) {
        const bool deletion = record.Find(kDeleteFileMarker) != TLString::npos;
        const TLString name = deletion ? TLString::Format(kDeleteFileFormat, deletions++)
                                       : TLString::Format(kInstallFileFormat, installs++);
        values.push_back({name, record});
    }
    return values;
}

std::vector<FinalizeValue> FinalizeRegistrationValues(const PendingOperations& pending) {
    std::vector<FinalizeValue> values;
    int count = 0;
    for (const TLString& record : pending.registrations)
        values.push_back({TLString::Format(kRegisterFileFormat, count++), record});
    return values;
}

bool HasFinalizeWork(const PendingOperations& pending) {
    return !pending.files.IsEmpty() || !pending.registrations.IsEmpty();
}

TLString RunOnceCommand(const TLString& destination_folder) {
    return u"\""_tl + destination_folder + u"PackageInstaller.exe\" \"/FinishInstall\"";
}

PendingRecord SplitPendingRecord(const TLString& record) {
    const size_t bar = record.Find(u'|');
    if (bar == TLString::npos) return {record, TLString()};
    return {record.Left(bar), record.Mid(bar + 1)};
}

FinishDecision DecideFinish(const PendingOperations& pending, bool no_run, bool tools_available) {
    bool restart = pending.restart_required;
    for (const TLString& record : pending.files) {
        TLString lower = record;
        lower.MakeLower();
        const size_t bar = lower.Find(u'|');
        if (bar == TLString::npos || bar == 0) continue;
        if (!tools_available || lower.Find(u"shellext.dll") == TLString::npos) restart = true;
    }
    if (restart) return {true, kFinishRestart};
    return {false, no_run ? kFinishNothing : kFinishRunProgram};
}

bool IsMediaServerEdition(const TLString& main_program_file_name) {
    return main_program_file_name.FindNoCase(u"Gantry") != TLString::npos;
}

FinishPlan PlanFinish(int action, bool silent, bool main_program_exists) {
    if (silent) return {};
    return {action == kFinishRestart, action == kFinishRunProgram && main_program_exists};
}

TLString FinishNoteText(const TLString& main_program_path) { return u"TLFI0001\r\n"_tl + main_program_path; }

}  // namespace engine
