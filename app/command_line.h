#pragma once
// The installer's command line: split into tokens as Windows hands it over, joined back into one
// normalised line, and read for the switches that fill InstallSession.

#include <string_view>
#include <vector>

#include "core/session/install_session.h"
#include "core/string/tl_string_array.h"

namespace CommandLine {

// Splits the command line (without the program name) into tokens.
TLStringArray Tokenise(std::u16string_view command_line);

// Joins tokens into one line, quoting each token that is empty or holds a space, an apostrophe or a
// parenthesis, and escaping its double quotes with a backslash.
TLString Normalise(const TLStringArray& tokens);

// Sets the session's switch fields named in the normalised line. Unknown text is ignored; no switch
// ever turns a flag off.
void ParseSwitches(std::u16string_view normalised_line, InstallSession& session);

// One line naming every switch field and its value, for the log:
// "Switches: Silent=1 Upgrade=0 ... DistributorID=[value]".
TLString DescribeSwitches(const InstallSession& session);

// The switch names in the order pieces are matched against them.
std::vector<std::u16string_view> SwitchNames();

}  // namespace CommandLine
