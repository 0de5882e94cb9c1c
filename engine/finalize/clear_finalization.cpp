#include "engine/finalize/clear_finalization.h"

#include "engine/filesystem/tl_file_system.h"
#include "engine/finalize/finalize_section.h"

namespace engine {

void ClearEarlierFinalization(const TLString& destination_folder) {
    TLFileSystem::DeleteDirectoryTree(destination_folder + u"Setup\\");
    tools::Settings section = tools::OpenSettingsSection(TLString(kFinalizeSection));
    if (section.IsOpen()) EmptyFinalizeSection(section);
}

}  // namespace engine
