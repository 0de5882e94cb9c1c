#pragma once
// The decisions of the copy page's plug-in step (shell extension, packages, audio driver), as plain
// functions of what the install knows.

#include <cstddef>
#include <optional>

#include "core/string/tl_string.h"

namespace engine {

// The driver revision this installer brings.
inline constexpr int kDriverRevision = 7;
// The product feature that says the edition has the WDM audio driver.
inline constexpr int kDriverFeature = 191;

struct DriverFacts {
    bool no_driver = false;       // the "NoDriver" switch
    bool portable = false;
    bool driver_feature = false;  // the product information reports the driver feature
    int os_code = 0;              // 1008 is Windows Vista, 1012 to 1999 Windows 10 and later
};

enum class DriverAction { kNothing, kRemove, kInstall };

bool DriverWanted(const DriverFacts& facts);
// `installed_revision`: "WDM Driver Installed Version" of the product's settings, when there is one.
DriverAction DecideDriver(const DriverFacts& facts, std::optional<int> installed_revision);
// The ".inf" file below the destination folder (with its trailing backslash) for this Windows.
TLString DriverInfPath(const TLString& destination, int os_code);
// The progress bar's range for the step: never below 1, so that an empty step still shows progress.
int PluginStepRange(bool media_server_edition, bool driver_wanted, size_t packages);

}  // namespace engine
