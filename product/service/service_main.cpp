// The stand-in of the product's service program, "TLService.exe": it answers "/Register" and
// "/Stop" and ends; started without either it logs that and ends too.
#include <windows.h>

#include "product/main_program/program_commands.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const TLString argument = product_program::FirstArgument();
    if (product_program::IsKnownCommand(argument))
        product_program::AnswerCommand(argument);
    else
        product_program::Log(u"Started without a command it knows: " + argument);
    return 0;
}
