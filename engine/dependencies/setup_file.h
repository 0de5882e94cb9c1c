#pragma once
// A dependency's set-up program: found in the support folders or downloaded from the product's
// download server into the first of them, then run.

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"
#include "engine/dependencies/dependency_context.h"

namespace engine {

// The set-up file's path, or empty when it is neither in a support folder nor could be downloaded.
// A file found in a support folder is taken as the distribution's own, unchecked.
TLString FindSetupFile(DependencyContext& context, const TLString& file_name, const TLString& display_name);

// Finds the set-up file and runs it visibly with the parameters, waiting for its end while the
// window stays alive; false only when there was no file to run.
bool InstallSetupFile(DependencyContext& context, const TLString& file_name, const TLStringArray& parameters,
                      const TLString& display_name);

}  // namespace engine
