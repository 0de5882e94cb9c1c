#pragma once
// The questions and error reports of the install steps. Steps never show a window themselves: they
// ask through the prompts they are given. The wizard answers with the message service, a test with a
// recorder, an unattended run with each question's safe answer.

#include <initializer_list>
#include <vector>

#include "core/string/tl_string.h"
#include "core/tools/tools_interface.h"

namespace tools {

struct Prompt {
    // Shown as they are: the asker translates and inserts names first.
    TLString title;
    TLString text;
    // IMessageService::kOk or kYesNo; ignored when named buttons are given.
    int buttons = tltools::IMessageService::kOk;
    // "Retry", "Cancel", ... (translated); the answer is then kResultFirstNamed + the index pressed.
    std::vector<TLString> named_buttons;
    // The answer when nobody is there to give one, chosen so that nothing is lost or half done.
    int safe_answer = tltools::IMessageService::kResultOk;
};

class IInstallPrompts {
public:
    // Returns the answer as IMessageService::Show does.
    virtual int Ask(const Prompt& prompt) = 0;

protected:
    ~IInstallPrompts() = default;
};

// Prompts for a run nobody watches: every question gets its safe answer, and the log says which.
class SafeAnswerPrompts final : public IInstallPrompts {
public:
    int Ask(const Prompt& prompt) override;
};

// A question made of the usual parts, each translated: what happened ("...\r\n\r\n"), then what to do.
Prompt TranslatedPrompt(const TLString& title, std::initializer_list<TLString> parts,
                        int buttons = tltools::IMessageService::kOk,
                        std::initializer_list<TLString> named_buttons = {});

}  // namespace tools
