#pragma once
// Tidies the product's settings of what earlier versions kept and the new version names otherwise or
// must not keep.

namespace engine {

// Works on the product's settings key below HKEY_CURRENT_USER; what cannot be opened is passed over.
void TidyProductSettings();

}  // namespace engine
