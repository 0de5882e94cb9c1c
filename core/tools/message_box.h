#pragma once
// Message boxes of the installer. They go through the tools library's message service, which draws
// the product's own dialog; without the library (or the service) the plain Windows message box is
// shown instead, so that a message is never lost. Every box is logged with the answer it got.

#include <windows.h>

#include <initializer_list>

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"
#include "core/tools/tools_interface.h"

namespace tools {

using tltools::IMessageService;

// Shows title and text as they are, with OK (IMessageService::kOk), Yes/No (kYesNo) or, when
// `named_buttons` is given, those buttons. Returns kResultOk, kResultYes, kResultNo, or
// kResultFirstNamed + the index of the named button pressed.
int ShowMessage(HWND owner, const TLString& title, const TLString& text, int buttons,
                const TLStringArray* named_buttons = nullptr);

// Windows' own OK box without an owner, for errors the product's dialog cannot show (its library is
// what failed).
void ShowWindowsMessage(const TLString& title, const TLString& text);

// As ShowMessage, with the title, each text part and each button name translated first; the parts are
// joined in the order given ("what happened\r\n\r\n", then "what to do").
int ShowTranslatedMessage(HWND owner, const TLString& title, std::initializer_list<TLString> parts, int buttons,
                          std::initializer_list<TLString> named_buttons = {});

}  // namespace tools
