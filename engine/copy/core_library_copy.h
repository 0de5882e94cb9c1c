#pragma once
// The product libraries the installer itself loads are copied first, before anything else, so that a
// library in use is found while the user can still close the program that holds it.

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"
#include "core/tools/install_prompts.h"
#include "engine/journal/journal.h"

namespace engine {

// Copies each core library that lies in `program_source` ("Tunevault\" of the distribution) to
// `destination`, in table order, clearing the attributes before and after, each change noted in the
// journal when there is one. Stops at the first failure and returns its destination path; empty when
// all went well. The sources copied go to `copied`.
TLString CopyCoreLibrariesOnce(const TLString& program_source, const TLString& destination, TLStringArray& copied,
                               journal::CJournal* journal = nullptr);

// CopyCoreLibrariesOnce, and a second pass from and to the "x64\" subfolders for a 32-bit installer on
// 64-bit Windows. A failure asks "Failure Copying System File" with Retry and Cancel; Retry starts
// again, Cancel returns false (the caller reports the critical error).
bool CopyCoreLibraries(const TLString& program_source, const TLString& destination, tools::IInstallPrompts& prompts,
                       TLStringArray& copied, journal::CJournal* journal = nullptr);

}  // namespace engine
