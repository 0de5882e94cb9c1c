#include "core/windows/disk_space.h"

#include <windows.h>

#include "core/windows/fault_seam.h"
#include "core/windows/file_attributes.h"

namespace tlwin {

bool FreeBytesAvailable(const TLString& folder, uint64_t& bytes) {
    if (PlantedError(FaultCall::kFreeSpace) != ERROR_SUCCESS) return false;
    ULARGE_INTEGER available;
    if (!GetDiskFreeSpaceExW(ForWindows(folder).wc(), &available, nullptr, nullptr)) return false;
    bytes = available.QuadPart;
    return true;
}

}  // namespace tlwin
