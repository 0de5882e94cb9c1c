#pragma once
// The distribution's configuration: the "Support\" and "Library\" folders beside the installer and
// the settings of Install.xml (beside the installer, else in its parent folder).

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"

// Fills SupportFolders, LibraryFolder, AllowDowngrade and BundledMediaFolder of the install session.
// A missing or invalid Install.xml leaves the defaults; nothing is shown.
void LoadInstallConfiguration();

// The first support folder's candidate for `name` (with `must_exist`, the first that exists as a
// file); empty without one.
TLString FindSupportFile(const TLString& name, bool must_exist);

// Every ".qvp" file of every support folder, folder by folder.
TLStringArray ListSupportPackages();

// An integer text of Install.xml: leading white space, an optional sign, decimal digits up to the
// first other character; no digits give 0 and values beyond 32 bits saturate.
int ReadConfigurationInteger(const TLString& text);
