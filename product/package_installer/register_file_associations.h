#pragma once
// "/RegFileAssociations": associates the file types the person chose (the "Properties" value "File
// Associations - Selected Media Types") with the product, through the shell registration the
// installer uses too. A missing or broken association file is fatal here: the message says so and
// nothing is registered.

#include "core/string/tl_string.h"

// `program_folder` holds the product (this program, its tools library and its resources).
void RegisterFileAssociations(const TLString& program_folder);
