#pragma once
// What the copy phase and the cleaning leave for the next start, and what finalization writes out.
//
// Records are "%s|%s" pairs: "staged|destination" (an empty destination marks a staged plug-in
// package), "_DELETEFILE|path" and, in the registration list, "_REGISTERFILE|path". Windows file names
// cannot hold "|", so a record splits at its first one.

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"

namespace engine {

struct PendingOperations {
    TLStringArray files;          // "staged|destination" and "_DELETEFILE|path", in the order they arose
    TLStringArray registrations;  // "_REGISTERFILE|path"
    bool restart_required = false;
    // Stays true until the shell extension's own copy has to wait for the next start.
    bool shell_extension_in_place = true;
};

// The process's one record; the engine steps and finalization take it as an argument.
PendingOperations& ProcessPendingOperations();

}  // namespace engine
