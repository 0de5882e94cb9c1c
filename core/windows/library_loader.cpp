#include "core/windows/library_loader.h"

#include "core/tools/tools.h"

namespace tlwin {
namespace {

HMODULE LogFailure(HMODULE module, const TLString& path) {
    if (!module) tools::LogFormat(u"LoadLibrary", u"Loading %s failed, error: %d", path, GetLastError());
    return module;
}

}  // namespace

void RestrictDllSearchPath() {
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32 | LOAD_LIBRARY_SEARCH_USER_DIRS);
    // The current directory is no place to look for DLLs either.
    SetDllDirectoryW(L"");
}

HMODULE LoadSystemLibrary(const wchar_t* name) { return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32); }

HMODULE LoadLibraryFromFolder(const TLString& path) {
    return LogFailure(
        LoadLibraryExW(path.wc(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS), path);
}

ScopedDllDirectory::ScopedDllDirectory(const TLString& folder) {
    if (!folder.empty()) cookie_ = AddDllDirectory(folder.wc());
}

ScopedDllDirectory::~ScopedDllDirectory() {
    if (cookie_) RemoveDllDirectory(cookie_);
}

}  // namespace tlwin
