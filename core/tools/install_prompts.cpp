#include "core/tools/install_prompts.h"

#include "core/tools/tools.h"

namespace tools {

int SafeAnswerPrompts::Ask(const Prompt& prompt) {
    LogFormat(u"SafeAnswerPrompts", u"\"%s\" answered with %d: %s", prompt.title, prompt.safe_answer, prompt.text);
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
