#include "engine/finalize/finish.h"

#include "core/tools/tools.h"
#include "core/windows/file_attributes.h"
#include "core/xml/file_text.h"
#include "engine/filesystem/tl_file_system.h"
#include "engine/finalize/finalize_plan.h"
#include "engine/finalize/system_shutdown.h"

namespace engine {
namespace {

void MakeReadOnly(TLString folder) {
    folder.RemoveTrailingBackslashes();
    const DWORD attributes = tlwin::FileAttributes(folder);
    if (attributes != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesW(tlwin::ForWindows(folder).wc(), attributes | FILE_ATTRIBUTE_READONLY);
}

// One text, so that a language file translates the request as a whole.
bool UserConfirmsRestart(tools::IInstallPrompts& prompts) {
    const int pressed = prompts.Ask(
        tools::TranslatedPrompt(u"Confirm Restart"_tl,
                                {u"Please save your work and close any open programs.\r\n\r\n"
                                 u"Then click 'Restart' to restart your computer and finish installation."_tl},
                                tltools::IMessageService::kOk, {u"Restart"_tl, u"Cancel"_tl}));
    return pressed == tltools::IMessageService::kResultFirstNamed;
}

}  // namespace

bool Finish(int action, const FinishContext& context, tools::IInstallPrompts& prompts) {
    MakeReadOnly(context.destination_folder);
    const TLString program = context.MainProgramPath();
    const FinishPlan plan = PlanFinish(action, context.silent, TLFileSystem::FileExists(program));
    // A note left by an earlier run would start the product after this one too.
    if (!plan.write_note) TLFileSystem::DeleteFile(context.FinishNotePath());
    if (plan.confirm_restart) {
        if (!UserConfirmsRestart(prompts)) return false;
        CSystemShutdown().Shutdown(CSystemShutdown::kRestart);
    }
    if (plan.write_note &&
        !tlxml::WriteTextFile(context.FinishNotePath(), FinishNoteText(program), tlxml::TextEncoding::kUtf16LE))
        tools::Log(u"Finish",
                   TLString::Format(u"Finish.txt cannot be written (error %d), %s is not started: %s",
                                    static_cast<int>(GetLastError()), program, context.FinishNotePath()),
                   tltools::ILogger::kError);
    return true;
}

}  // namespace engine
