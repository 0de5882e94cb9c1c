#include "engine/copy/copy_prompts.h"

#include "core/tools/tools.h"

namespace engine {
namespace {

constexpr char16_t kCouldNotCopy[] =
    u"Install Wizard could not copy necessary files to the destination folder.\r\n\r\n";

tools::Prompt RetryOrCancel(TLString text) {
    tools::Prompt prompt = tools::TranslatedPrompt(u"Failure Copying System File", {}, tltools::IMessageService::kOk,
                                                   {u"Retry", u"Cancel"});
    prompt.text = std::move(text);
    return prompt;
}

}  // namespace

tools::Prompt CoreLibraryFailure(const TLString& path) {
    return RetryOrCancel(tools::Translate(kCouldNotCopy) +
                         TLString::Format(tools::Translate(u"Please ensure that the file '%s' is not in use."), path));
}

tools::Prompt FileCopyFailure(const TLString& path, const TLString& system_message) {
    return RetryOrCancel(tools::Translate(kCouldNotCopy) +
                         TLString::Format(tools::Translate(u"The file '%s' could not be copied:"), path) + u"\r\n" +
                         system_message);
}

bool RetryChosen(int answer) { return answer == tltools::IMessageService::kResultFirstNamed; }

tools::Prompt CriticalError() {
    return tools::TranslatedPrompt(u"Install Error",
                                   {u"Install Wizard encountered a critical error and must close.\r\n\r\n",
                                    u"It is recommended that you reboot your computer and install again.\r\n\r\n",
                                    u"If this error persists, please uninstall and then install again."});
}

tools::Prompt PhaseError(const TLString& text) { return tools::TranslatedPrompt(u"Error", {text}); }

}  // namespace engine
