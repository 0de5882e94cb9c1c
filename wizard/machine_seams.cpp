#include "wizard/machine_seams.h"

#include "engine/filesystem/tl_file_system.h"

namespace seams {

int64_t FreeBytes(const TLString& folder) { return TLFileSystem::FreeSpace(folder); }

unsigned CountdownTickMs() { return 1000; }

}  // namespace seams
