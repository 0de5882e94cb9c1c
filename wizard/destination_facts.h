#pragma once
// What the destination folder page needs to know of the machine, gathered for its rules.

#include "core/session/install_session.h"
#include "core/string/tl_string.h"
#include "wizard/rules/destination_rules.h"

namespace destination {

// The folder as Windows resolves it: absolute, without "." and ".." parts or forward slashes, the
// part that exists in its long form, and one trailing backslash. Empty stays empty.
TLString CanonicalFolder(const TLString& typed);

// The proposal's candidates: the installed copy's folder, the remembered and configured folders,
// the Program Files folder and the product's folder name.
wizard_rules::ProposalFacts GatherProposalFacts();

// The Windows folder and the family's program folders in canonical form, and the two acts of the
// checks: making the folder tree and asking its drive's free space.
wizard_rules::DestinationFacts GatherDestinationFacts(const InstallSession& session);

}  // namespace destination
