#include "engine/finalize/prepare_finish.h"

#include <windows.h>

#include "core/tools/tools.h"
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
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, reinterpret_cast<const wchar_t*>(kRunOnceKey), 0, nullptr, 0,
                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        tools::Log(u"PrepareFinish", u"The RunOnce key cannot be opened"_tl, tltools::ILogger::kError);
        return;
    }
    const TLString command = RunOnceCommand(destination_folder);
    RegSetValueExW(key, reinterpret_cast<const wchar_t*>(kRunOnceValue), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(command.c_str()), RunOnceDataBytes(command));
    RegCloseKey(key);
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
    if (HasFinalizeWork(pending)) WriteFinalizeList(pending, context.destination_folder);
    const FinishDecision decision = DecideFinish(pending, context.no_run, tools::Interface() != nullptr);
    pending.files.Clear();
    RecordInstall(context.replaced_installation);
    if (!IsMediaServerEdition(context.main_program_file_name)) {
        RunRegister(context.MainProgramPath());
        RunRegister(context.destination_folder + u"TLService.exe");
    }
    RecordInstallRun(context.upgrade);
    return decision;
}

}  // namespace engine
