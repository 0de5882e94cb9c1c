#include "core/windows/file_operations.h"

#include "core/windows/fault_seam.h"
#include "core/windows/file_attributes.h"

namespace tlwin {

bool CopyFileTo(const TLString& source, const TLString& target, bool overwrite) {
    if (PlantedError(FaultCall::kFileCopy) != ERROR_SUCCESS) return false;
    return CopyFileW(ForWindows(source).wc(), ForWindows(target).wc(), !overwrite);
}

bool MoveFileTo(const TLString& source, const TLString& target) {
    if (PlantedError(FaultCall::kFileMove) != ERROR_SUCCESS) return false;
    return MoveFileW(ForWindows(source).wc(), ForWindows(target).wc());
}

bool DeleteFileAt(const TLString& path) {
    if (PlantedError(FaultCall::kFileDelete) != ERROR_SUCCESS) return false;
    return DeleteFileW(ForWindows(path).wc());
}

}  // namespace tlwin
