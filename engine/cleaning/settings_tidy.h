#pragma once
// Tidies the product's settings of what earlier versions kept and the new version names otherwise or
// must not keep.

namespace engine {

// Works through the tools library's settings sections; a section that cannot be had is passed over,
// and nothing is done without the library.
void TidyProductSettings();

}  // namespace engine
