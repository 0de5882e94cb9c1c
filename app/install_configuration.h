#pragma once
// The distribution's configuration: the "Support\" and "Library\" folders beside the installer and
// the settings of Install.xml (beside the installer, else in its parent folder).

#include "core/session/install_session.h"
#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"

// Fills SupportFolders, LibraryFolder, AllowDowngrade and BundledMediaFolder of the session from
// the distribution whose installer lies in `folder` (with a trailing backslash). A missing or
// invalid Install.xml leaves the defaults; nothing is shown.
void LoadInstallConfiguration(const TLString& folder, InstallSession& session);

// The first support folder's candidate for `name` (with `must_exist`, the first that exists as a
// file); empty without one.
TLString FindSupportFile(const InstallSession& session, const TLString& name, bool must_exist);

// Every ".qvp" file of every support folder, folder by folder.
TLStringArray ListSupportPackages(const InstallSession& session);
