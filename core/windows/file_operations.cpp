#include "core/windows/file_operations.h"

#include "core/windows/block_copy.h"
#include "core/windows/fault_seam.h"
#include "core/windows/file_attributes.h"

namespace tlwin {

bool CopyFileTo(const TLString& source, const TLString& target, bool overwrite) {
    if (PlantedError(FaultCall::kFileCopy) != ERROR_SUCCESS) return false;
    return CopyFileInBlocks(source, target, overwrite);
}

bool MoveFileTo(const TLString& source, const TLString& target) {
    if (PlantedError(FaultCall::kFileMove) != ERROR_SUCCESS) return false;
    return MoveFileW(ForWindows(source).wc(), ForWindows(target).wc());
}

bool MoveFileOver(const TLString& source, const TLString& target) {
    return MoveFileExW(ForWindows(source).wc(), ForWindows(target).wc(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

bool DeleteFileAt(const TLString& path) {
    if (PlantedError(FaultCall::kFileDelete) != ERROR_SUCCESS) return false;
    return DeleteFileW(ForWindows(path).wc());
}

bool SetAttributesAt(const TLString& path, DWORD attributes) {
    if (PlantedError(FaultCall::kFileAttributes) != ERROR_SUCCESS) return false;
    return SetFileAttributesW(ForWindows(path).wc(), attributes);
}

bool MoveFileOnRestart(const TLString& source, const TLString& target) {
    if (PlantedError(FaultCall::kDelayedMove) != ERROR_SUCCESS) return false;
    const TLString windows_target = target.empty() ? TLString() : ForWindows(target);
    return MoveFileExW(ForWindows(source).wc(), target.empty() ? nullptr : windows_target.wc(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT);
}

}  // namespace tlwin
