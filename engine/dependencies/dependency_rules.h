#pragma once
// Which dependencies the step installs and the texts it shows: plain decisions.

#include <cstdint>
#include <vector>

#include "core/string/tl_string.h"

namespace engine {

enum class Dependency { kDirectX, kBundledMedia };

// The dependencies to install, in order. `NoDependencies` and portable installs leave all out; the
// DirectX components only when the product information asks for them.
std::vector<Dependency> PlanDependencies(bool no_dependencies, bool portable, bool directx_wanted);

// Whether the DirectX set-up must run: never on Windows 95 to 2000 (codes 1000 to 1005), nor when the
// system folder has "d3dx9_43.dll".
bool DirectXSetupNeeded(uint32_t os_code, bool d3dx9_43_present);

struct Heading {
    TLString title;
    TLString subtitle;
};
// The step's heading, and the one while a set-up file is downloaded; translated.
Heading DependencyHeading();
Heading DownloadHeading();

// The address of a set-up file below the download server's base address.
TLString DownloadAddress(const TLString& base, const TLString& file_name);

}  // namespace engine
