#pragma once
// The "Installer\Finalize" settings section as finalization and the package installer share it.

#include "core/string/tl_string.h"
#include "core/tools/tools.h"
#include "engine/finalize/finalize_plan.h"

namespace engine {

// Deletes every value of the section. The settings service cannot list a section's values, so each of
// the three numbered names (written from 0 without gaps) is deleted from 0 up to the first that is
// not there.
void EmptyFinalizeSection(tools::Settings& section);

}  // namespace engine
