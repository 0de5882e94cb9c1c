#pragma once
// The product libraries the installer itself loads are copied first, before anything else, so that a
// library in use is found while the user can still close the program that holds it.

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"

namespace engine {

// Copies each core library that lies in `program_source` ("Tunevault\" of the distribution) to
// `destination`, in table order, clearing the attributes before and after. Stops at the first failure
// and returns its destination path; empty when all went well. The sources copied go to `copied`.
TLString CopyCoreLibrariesOnce(const TLString& program_source, const TLString& destination, TLStringArray& copied);

// CopyCoreLibrariesOnce, and a second pass from and to the "x64\" subfolders for a 32-bit installer on
// 64-bit Windows. A failure asks "Failure Copying System File" with Retry and Cancel; Retry starts
// again, Cancel shows the critical-error box and returns false.
bool CopyCoreLibraries(const TLString& program_source, const TLString& destination, void* owner_window,
                       TLStringArray& copied);

// "Install Error": the installer must close.
void ShowCriticalError(void* owner_window);

}  // namespace engine
