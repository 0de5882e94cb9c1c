#pragma once
// What the welcome page learns from the machine: the agreement's text and the installations that
// are already there.

#include "core/session/install_session.h"
#include "core/string/tl_string.h"

namespace welcome {

// The agreement beside the installer, read whole, with Windows line ends; empty when the file is
// missing.
TLString ReadLicenseText(const TLString& installer_folder);

// Looks through the uninstall entries of both registry views and the family's install locations.
void DetectExistingInstallations(InstallSession& session);

}  // namespace welcome
