#pragma once
// The installed product's art files: "Data\Custom Resources\" of its program folder is looked in
// before "Data\Default Resources\", so that a distributor's art replaces the product's own.

#include "core/string/tl_string.h"

namespace shell {

// The full path of the art file, or empty when neither folder holds it.
TLString FindProductArt(const TLString& program_folder, const TLString& name);

}  // namespace shell
