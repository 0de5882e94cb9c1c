#include "core/windows/fonts.h"

#include <windows.h>

#include "core/windows/fault_seam.h"

namespace tlwin {

// The fonts folder's paths are short; AddFontResourceW takes no "\\?\" prefix.
bool AddFont(const TLString& path) {
    if (PlantedError(FaultCall::kFontAdd) != ERROR_SUCCESS) return false;
    return AddFontResourceW(path.wc()) > 0;
}

}  // namespace tlwin
