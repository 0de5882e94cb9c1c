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

    // A file of the destination; empty while no destination was chosen, so that nothing is looked for
    // in the current directory.
    TLString InDestination(const TLString& name) const {
        return destination_folder.empty() || name.empty() ? TLString() : destination_folder + name;
    }
    TLString MainProgramPath() const { return InDestination(main_program_file_name); }
    TLString FinishNotePath() const { return source_folder + u"Finish.txt"; }
};

}  // namespace engine
