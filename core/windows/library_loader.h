#pragma once
// Loading DLLs without letting a planted file win. An installer often runs from a download folder
// where anyone may have left a DLL; so Windows' own libraries are only ever loaded from the system
// folder, and the product's modules from their own folder, which is searched first for the libraries
// they depend on.

#include <windows.h>

#include "core/string/tl_string.h"

namespace tlwin {

// Restricts the process's DLL search to the system folder and explicitly added folders; called
// first thing at startup.
void RestrictDllSearchPath();

// A Windows library by bare name ("Version.dll"), from the system folder only.
HMODULE LoadSystemLibrary(const wchar_t* name);

// A DLL by full path, with its own folder searched first for its dependencies. Logs
// "Loading %s failed, error: %d" when it cannot be loaded.
HMODULE LoadLibraryFromFolder(const TLString& path);

// While it lives, a folder is searched for DLLs loaded by bare name (by code that is not ours and
// expects its own folder to be searched, such as a COM server's registration). An empty folder adds
// nothing.
class ScopedDllDirectory {
public:
    explicit ScopedDllDirectory(const TLString& folder);
    ~ScopedDllDirectory();
    ScopedDllDirectory(const ScopedDllDirectory&) = delete;
    ScopedDllDirectory& operator=(const ScopedDllDirectory&) = delete;

private:
    DLL_DIRECTORY_COOKIE cookie_ = nullptr;
};

}  // namespace tlwin
