#include "wizard/machine_seams.h"

#include "core/windows/tl_file_system.h"

namespace seams {

int64_t FreeBytes(const TLString& folder) { return tlwin::TLFileSystem::FreeSpace(folder); }

unsigned CountdownTickMs() { return 1000; }

}  // namespace seams
