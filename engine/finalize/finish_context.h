#pragma once
// What finalization needs to know of the installation that ends.

#include "core/string/tl_string.h"

namespace engine {

struct FinishContext {
    TLString destination_folder;      // with a trailing backslash
    TLString source_folder;           // the installer's own folder, with a trailing backslash
    TLString main_program_file_name;  // product information
    bool silent = false;
    bool upgrade = false;  // the Upgrade switch
    bool no_run = false;
    bool replaced_installation = false;  // an existing installation was found and the install is not portable

    TLString MainProgramPath() const { return destination_folder + main_program_file_name; }
    TLString FinishNotePath() const { return source_folder + u"Finish.txt"; }
};

}  // namespace engine
