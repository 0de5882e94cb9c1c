#include "product/uninstall/uninstall_messages.h"

#include <array>

namespace uninstall {
namespace {

using tltools::IMessageService;

struct MessageText {
    UninstallMessage message;
    const char16_t* title;
    const char16_t* happened;  // ends in "\r\n\r\n" when a second part follows
    const char16_t* to_do;
    int buttons;
    int safe_answer;
};

// Every "%s" is the product's name.
constexpr std::array<MessageText, 8> kMessages{{
    {UninstallMessage::kConfirm, u"Uninstall %s", u"Are you sure you want to remove %s and all of its components?",
     u"", IMessageService::kYesNo, IMessageService::kResultYes},
    {UninstallMessage::kCloseRunning, u"%s Open", u"%s is running.\r\n\r\n",
     u"Do you want to close %s and continue removing it?", IMessageService::kYesNo, IMessageService::kResultYes},
    {UninstallMessage::kPleaseClose, u"Please Close %s", u"%s could not be closed.\r\n\r\n",
     u"Please close %s and then press 'OK'.", IMessageService::kOk, IMessageService::kResultOk},
    {UninstallMessage::kStillRunning, u"Uninstall %s", u"%s is still running, so it has not been removed.\r\n\r\n",
     u"Please close %s and uninstall it again.", IMessageService::kOk, IMessageService::kResultOk},
    {UninstallMessage::kAlreadyRemoved, u"Uninstall %s", u"%s has already been removed from this computer.", u"",
     IMessageService::kOk, IMessageService::kResultOk},
    {UninstallMessage::kRemoved, u"Uninstall %s", u"%s was removed from your computer.", u"", IMessageService::kOk,
     IMessageService::kResultOk},
    {UninstallMessage::kRemovedAtRestart, u"Uninstall %s", u"%s was removed from your computer.\r\n\r\n",
     u"Some of its files are in use: they will be removed when you restart your computer.", IMessageService::kOk,
     IMessageService::kResultOk},
    {UninstallMessage::kIncomplete, u"Uninstall %s", u"%s could not be removed completely.\r\n\r\n",
     u"The log \"Tonehall Setup.log\" in your temporary folder lists what was left behind.", IMessageService::kOk,
     IMessageService::kResultOk},
}};

}  // namespace

tools::Prompt ComposeUninstallMessage(UninstallMessage message, const TLString& product_name) {
    for (const MessageText& text : kMessages) {
        if (text.message != message) continue;
        tools::Prompt prompt = tools::TranslatedPrompt(text.title, {text.happened, text.to_do}, text.buttons);
        prompt.title = TLString::Format(prompt.title.view(), product_name);
        prompt.text = TLString::Format(prompt.text.view(), product_name, product_name);
        prompt.safe_answer = text.safe_answer;
        return prompt;
    }
    return {};
}

}  // namespace uninstall
