#pragma once
// The installed product's art files: "Data\Custom Resources\" of its program folder is looked in
// before "Data\Default Resources\", so that a distributor's art replaces the product's own.

#include "core/string/tl_string.h"

namespace shell {

// Where the product's resource lookup finds a resource file below the destination: "Custom Resources"
// before "Default Resources". `exists` answers for a full path.
template <typename Exists>
TLString FindProductResource(const TLString& destination_folder, const TLString& name, Exists exists) {
    const TLString custom = destination_folder + u"Data\\Custom Resources\\" + name;
    return exists(custom) ? custom : destination_folder + u"Data\\Default Resources\\" + name;
}

// The full path of the art file, or empty when neither folder holds it.
TLString FindProductArt(const TLString& program_folder, const TLString& name);

}  // namespace shell
