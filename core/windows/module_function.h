#pragma once
// A module's export as a typed function pointer (null when the module or export is missing).

#include <windows.h>

namespace tlwin {

template <typename Function>
Function ModuleFunction(HMODULE module, const char* name) {
    if (!module) return nullptr;
    // Through a generic function pointer: FARPROC's own type differs from every real export's.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace tlwin
