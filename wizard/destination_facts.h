#pragma once
// What the destination folder page needs to know of the machine, gathered for its rules.

#include <cstdint>

#include "app/install_session.h"
#include "core/string/tl_string.h"
#include "wizard/rules/destination_rules.h"

namespace destination {

// The folder as Windows resolves it: absolute, without "." and ".." parts or forward slashes, the
// part that exists in its long form, and one trailing backslash. Empty stays empty.
TLString CanonicalFolder(const TLString& typed);

// The proposal's candidates: the installed copy's folder, the remembered and configured folders,
// the Program Files folder and the product's folder name.
pagerules::ProposalFacts GatherProposalFacts();

// The Windows folder and the family's program folders in canonical form, and the two acts of the
// checks: making the folder tree and asking its drive's free space.
pagerules::DestinationFacts GatherDestinationFacts(const InstallSession& session);

// Bytes free on the folder's drive; negative when no folder of the path can be asked.
using FreeSpaceQuery = int64_t (*)(const TLString& folder);
// Tests replace the query to stand for a nearly full disk, which they cannot make; null restores it.
void ReplaceFreeSpaceQuery(FreeSpaceQuery query);

}  // namespace destination
