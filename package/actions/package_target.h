#pragma once
// Where a package installs to and what it may need of the product: the facts an action uses, gathered
// once by whoever runs the package (Setup.exe for the destination it installs, the package installer
// for the product it belongs to).

#include "core/string/tl_string.h"

namespace package {

struct PackageTarget {
    TLString product_folder;        // the product's program folder, with a trailing backslash
    TLString work_folder;           // downloads and unpacked files, with a trailing backslash
    TLString product_name;          // for questions ("%s must be restarted ...")
    TLString name_with_version;     // for "[NameWithVersion]" in registry lines
    TLString main_program;          // full path, for starting the product again
    TLString package_installer;     // full path of PackageInstaller.exe, for "INSTALL"
};

// The facts of the product installed in `product_folder`, from the tools library's product
// information; downloads and unpacked files go below the product's temporary folder.
PackageTarget ProductTarget(const TLString& product_folder);

}  // namespace package
