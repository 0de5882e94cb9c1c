#include "engine/dependencies/dependency_rules.h"

#include "core/tools/tools.h"

namespace engine {

std::vector<Dependency> PlanDependencies(bool no_dependencies, bool portable, bool directx_wanted) {
    if (no_dependencies || portable) return {};
    if (directx_wanted) return {Dependency::kDirectX, Dependency::kBundledMedia};
    return {Dependency::kBundledMedia};
}

bool DirectXSetupNeeded(uint32_t os_code, bool d3dx9_43_present) {
    const bool windows_2000_or_older = os_code >= 1000 && os_code <= 1005;
    return !windows_2000_or_older && !d3dx9_43_present;
}

Heading DependencyHeading() {
    return {tools::Translate(u"Installing Dependencies"),
            tools::Translate(u"Please wait while Install Wizard installs dependencies.")};
}

Heading DownloadHeading() {
    return {tools::Translate(u"Downloading Dependencies"),
            tools::Translate(u"Please wait while Install Wizard downloads what it needs. Click Cancel to stop.")};
}

TLString DownloadAddress(const TLString& base, const TLString& file_name) {
    if (base.empty() || base.Last() == u'/') return base + file_name;
    return base + u"/" + file_name;
}

}  // namespace engine
