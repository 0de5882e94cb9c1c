#include "engine/finalize/prepare_finish.h"

#include "core/tools/tools.h"
#include "core/windows/registry.h"
#include "engine/filesystem/tl_file_system.h"
#include "engine/process/run_program.h"
#include "shell/settings/install_counters.h"

namespace engine {
namespace {

constexpr int kRegisterTimeoutMs = 15000;

void WriteValues(tools::Settings& section, const std::vector<FinalizeValue>& values) {
    for (const FinalizeValue& value : values) section.SetString(value.name, value.data);
}

// The package installer of the destination finishes the install at the user's next log-on.
void ScheduleFinishInstall(const TLString& destination_folder) {
    tlwin::RegistryKey run_once = tlwin::RegistryKey::Create(HKEY_CURRENT_USER, TLString(kRunOnceKey));
    if (!run_once.WriteString(TLString(kRunOnceValue), RunOnceCommand(destination_folder)))
        tools::Log(u"PrepareFinish",
                   TLString::Format(u"The RunOnce entry cannot be written (error %d): the next log-on will not "
                                    u"finish the install",
                                    static_cast<int>(run_once.error())),
                   tltools::ILogger::kError);
}

void WriteFinalizeList(const PendingOperations& pending, const TLString& destination_folder) {
    // A section that cannot be had loses its values, never the RunOnce entry.
    tools::Settings section = tools::OpenSettingsSection(TLString(kFinalizeSection));
    WriteValues(section, FinalizeFileValues(pending));
    ScheduleFinishInstall(destination_folder);
    WriteValues(section, FinalizeRegistrationValues(pending));
}

void RunRegister(const TLString& program) {
    if (TLFileSystem::FileExists(program))
        tlproc::RunWithParameter(program, u"/Register"_tl, false, false, nullptr, kRegisterTimeoutMs);
}

}  // namespace

FinishDecision PrepareFinish(PendingOperations& pending, const FinishContext& context) {
    tools::LogFormat(u"PrepareFinish", u"Left for the next start: %d file records, %d registrations",
                     static_cast<int>(pending.files.GetCount()), static_cast<int>(pending.registrations.GetCount()));
    if (HasFinalizeWork(pending)) WriteFinalizeList(pending, context.destination_folder);
    const FinishDecision decision = DecideFinish(pending, context.no_run, tools::Interface() != nullptr);
    pending.files.Clear();
    RecordInstall(context.replaced_installation);
    if (!IsMediaServerEdition(context.main_program_file_name)) {
        RunRegister(context.MainProgramPath());
        RunRegister(context.InDestination(u"TLService.exe"));
    }
    RecordInstallRun(context.upgrade);
    return decision;
}

}  // namespace engine
