#pragma once
// "/Install <package file>" and "/Q /Install <package file>": installs a package into the product
// beside this program. With "/Q" nobody is asked anything and failures go only to the log.

#include "core/string/tl_string.h"

// The exit code: 0 when the package was installed.
int InstallPackageCommand(const TLString& package_file, bool quiet, const TLString& program_folder);
