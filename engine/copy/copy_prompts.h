#pragma once
// The questions of the copy phase, asked through the install's prompts: a file that could not be put
// in place (Retry or Cancel), the critical error that ends the install, and the errors it goes on after.

#include "core/string/tl_string.h"
#include "core/tools/install_prompts.h"

namespace engine {

// "Failure Copying System File" for a core library: `path` is probably in use.
tools::Prompt CoreLibraryFailure(const TLString& path);
// "Failure Copying System File" for any other file: `path` and the system's message for the error.
tools::Prompt FileCopyFailure(const TLString& path, const TLString& system_message);
// True when the answer to one of the two above is "Retry".
bool RetryChosen(int answer);

// "Install Error": the installer must close.
tools::Prompt CriticalError();

// "Error" with one text; the install goes on.
tools::Prompt PhaseError(const TLString& text);

}  // namespace engine
