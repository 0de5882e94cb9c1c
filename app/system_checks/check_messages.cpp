#include "app/system_checks/check_messages.h"

#include <iterator>

#include "core/tools/tools.h"

namespace syschecks {
namespace {

using tltools::IMessageService;

enum class NameIn { kNowhere, kBeforeTitle, kAfterTitle };
enum class Name { kClosing, kDisplay };

struct MessageTemplate {
    CheckMessageId id;
    const char16_t* title;
    NameIn title_name;
    Name name;  // the product string that fills the title and every "%s"
    const char16_t* parts[3];
    int buttons;
};

constexpr MessageTemplate kMessages[] = {
    {CheckMessageId::kNoRights,
     u"Information",
     NameIn::kNowhere,
     Name::kDisplay,
     {u"Sorry, but you do not have sufficient rights to install the program.\r\n",
      u"Please make sure you have administrative rights before you begin the installation."},
     IMessageService::kOk},
    {CheckMessageId::kCloseRunningCopy,
     u" Open",
     NameIn::kBeforeTitle,
     Name::kDisplay,
     {u"Install Wizard has detected a running copy of %s.\r\n\r\n",
      u"Do you want Install Wizard to close %s and continue setup?"},
     IMessageService::kYesNo},
    {CheckMessageId::kPleaseClose,
     u"Please Close ",
     NameIn::kAfterTitle,
     Name::kClosing,
     {u"Install Wizard could not close the running copy of %s.\r\n",
      u"Please manually close %s and then press 'OK'.\r\n\r\n",
      u"If you can not close %s restart your computer and run Install Wizard again."},
     IMessageService::kOk},
    {CheckMessageId::kStillRunning,
     u"Install Wizard Error",
     NameIn::kNowhere,
     Name::kClosing,
     {u"%s is still running.  Install Wizard can not continue.\r\n\r\n",
      u"Please restart your computer and run Install Wizard again."},
     IMessageService::kOk},
    {CheckMessageId::kNoSse2,
     u"SSE2 Not Available",
     NameIn::kNowhere,
     Name::kDisplay,
     {u"The %s Install Wizard failed to detect an SSE2-capable CPU.\r\n\r\n",
      u"%s requires SSE2 capabilities to run.  Setup will now abort."},
     IMessageService::kOk},
    {CheckMessageId::kWindowsTooOld,
     u"Operating System Not Supported",
     NameIn::kNowhere,
     Name::kDisplay,
     {u"The %s Install Wizard can not run on this version of Microsoft Windows.\r\n\r\n",
      u"%s requires Windows 2000 or later.  Setup will now abort."},
     IMessageService::kOk},
};

}  // namespace

CheckMessage ComposeCheckMessage(CheckMessageId id, const ProductNames& names) {
    const MessageTemplate* found = std::begin(kMessages);
    while (found->id != id) ++found;
    const TLString& name = found->name == Name::kClosing ? names.closing : names.display;

    CheckMessage message;
    message.buttons = found->buttons;
    const TLString title = tools::Translate(found->title);
    message.title = found->title_name == NameIn::kBeforeTitle  ? name + title
                    : found->title_name == NameIn::kAfterTitle ? title + name
                                                               : title;
    for (const char16_t* part : found->parts)
        if (part) message.text += tools::Translate(part);
    message.text.Replace(u"%s", name);
    return message;
}

}  // namespace syschecks
