#include "engine/install/launcher_placement.h"

namespace engine {

TLString LauncherToPlace(const TLString& source_folder, const TLString& launcher_name,
                         const std::function<bool(const TLString&)>& exists) {
    if (launcher_name.empty() || exists(source_folder + u"Tunevault\\" + launcher_name)) return TLString();
    const TLString system_files = source_folder + u"System\\Always Overwrite\\";
    // Renamed but not copied when only "Tunevault\" could not be written.
    for (const TLString& candidate : {system_files + launcher_name, system_files + kNeutralLauncherName})
        if (exists(candidate)) return candidate;
    return TLString();
}

}  // namespace engine
