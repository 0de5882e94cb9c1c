#pragma once
// The registration at the end of the file copy: the core libraries in place, the machine's
// installations record and the installer's own settings written; and the portable marker.

#include "core/session/install_session.h"
#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"
#include "core/tools/install_prompts.h"
#include "engine/journal/journal.h"

namespace installation {

// InstalledVersionNotOlder for this run: the installed copy is the one the process information block
// names, the new one lies in the distribution's "Tunevault\".
bool InstalledVersionNotOlder(const InstallSession& session, const TLString& source_folder);

// Copies the core libraries (Retry/Cancel while one is in use; the sources copied go to `copied`),
// then writes the installations record (not for a portable install) and the "Installer" settings.
// The files and the record's values are noted in the journal when there is one. False when the user
// cancelled: the installation must stop.
bool RegisterInstallation(const InstallSession& session, const TLString& source_folder, tools::IInstallPrompts& prompts,
                          TLStringArray& copied, journal::CJournal* journal);

// Makes the destination the installed product's folder; for a portable install also marks the
// process and the folder ("Portable.dat") as portable.
bool CompletePortableInstall(const InstallSession& session);

}  // namespace installation
