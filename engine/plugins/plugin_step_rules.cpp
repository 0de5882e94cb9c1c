#include "engine/plugins/plugin_step_rules.h"

#include <algorithm>

namespace engine {

bool DriverWanted(const DriverFacts& facts) {
    return !facts.no_driver && !facts.portable && facts.driver_feature && facts.os_code >= 1008;
}

DriverAction DecideDriver(const DriverFacts& facts, std::optional<int> installed_revision) {
    if (!DriverWanted(facts)) return facts.portable ? DriverAction::kNothing : DriverAction::kRemove;
    return installed_revision == kDriverRevision ? DriverAction::kNothing : DriverAction::kInstall;
}

TLString DriverInfPath(const TLString& destination, int os_code) {
    const bool windows10 = os_code >= 1012 && os_code <= 1999;
    return destination + (windows10 ? u"Drivers\\WDM\\Win10\\CorvaneWDMDriver.inf" : u"Drivers\\WDM\\Win8\\CorvaneWDMDriver.inf");
}

int PluginStepRange(bool media_server_edition, bool driver_wanted, size_t packages) {
    const long long fixed = media_server_edition ? 1 : 2 + (driver_wanted ? 1 : 0);
    return static_cast<int>(std::max<long long>(1, fixed + static_cast<long long>(packages) - 1));
}

}  // namespace engine
