#include "core/windows/shell_folder.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

namespace tlwin {

TLString ShellFolder(int csidl) {
    wchar_t folder[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_DONT_VERIFY, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return TLString();
    return TLString(folder);
}

}  // namespace tlwin
