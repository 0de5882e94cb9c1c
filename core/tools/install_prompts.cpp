#include "core/tools/install_prompts.h"

#include "core/tools/message_log.h"
#include "core/tools/tools.h"

namespace tools {

int SafeAnswerPrompts::Ask(const Prompt& prompt) {
    TLStringArray names;
    for (const TLString& name : prompt.named_buttons) names.Add(name);
    LogFormat(u"SafeAnswerPrompts", u"Nobody is there to answer, so no box is shown and the safe answer is taken: %s",
              DescribeMessageBox(prompt.title, prompt.text, prompt.safe_answer, &names));
    return prompt.safe_answer;
}

Prompt TranslatedPrompt(const TLString& title, std::initializer_list<TLString> parts, int buttons,
                        std::initializer_list<TLString> named_buttons) {
    Prompt prompt;
    prompt.title = Translate(title);
    for (const TLString& part : parts) prompt.text += Translate(part);
    prompt.buttons = buttons;
    for (const TLString& name : named_buttons) prompt.named_buttons.push_back(Translate(name));
    if (!prompt.named_buttons.empty())
        prompt.safe_answer = tltools::IMessageService::kResultFirstNamed + static_cast<int>(named_buttons.size()) - 1;
    else if (buttons == tltools::IMessageService::kYesNo)
        prompt.safe_answer = tltools::IMessageService::kResultNo;
    return prompt;
}

}  // namespace tools
