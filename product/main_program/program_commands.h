#pragma once
// What the product's programs share as stand-ins: the command they were started with, their lines
// in the product's log (written through the tools library beside them), and a record of each
// command they answered under HKEY_CURRENT_USER "Software\C. Orvane\Tonehall 27\Commands", one value
// per program file name, so that whoever started them can see that they ran.

#include "core/string/tl_string.h"

namespace product_program {

inline constexpr char16_t kCommandsKey[] = u"Software\\C. Orvane\\Tonehall 27\\Commands";

// The program's file name ("Tonehall.exe").
TLString FileName();
// The first argument of the command line; empty when there is none.
TLString FirstArgument();
// One line in the product's log under the program's file name; nothing when the tools library is
// not beside the program.
void Log(const TLString& text);
// Logs the command and records it under the program's file name.
void AnswerCommand(const TLString& command);
// "/Register" and "/Stop", letter case ignored.
bool IsKnownCommand(const TLString& argument);

}  // namespace product_program
