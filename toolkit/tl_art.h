#pragma once
// The product's art files: a name is looked up in the program folder's "Custom Resources" first,
// then in its "Default Resources".

#include "core/string/tl_string.h"

namespace toolkit {

// The full path of the art file, or empty when neither folder holds it.
TLString FindArt(const TLString& name);

}  // namespace toolkit
