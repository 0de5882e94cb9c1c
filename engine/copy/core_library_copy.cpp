#include "engine/copy/core_library_copy.h"

#include <windows.h>

#include "core/tools/module_loader.h"
#include "core/tools/tools.h"
#include "core/windows/file_attributes.h"
#include "core/windows/file_operations.h"
#include "core/windows/tl_file_system.h"
#include "engine/copy/copy_prompts.h"
#include "engine/journal/file_changes.h"

namespace engine {
namespace {

bool IsWow64() {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

TLString CopyAllPasses(const TLString& program_source, const TLString& destination, TLStringArray& copied,
                       journal::CJournal* journal) {
    TLString failed = CopyCoreLibrariesOnce(program_source, destination, copied, journal);
    if (failed.empty() && IsWow64())
        failed = CopyCoreLibrariesOnce(program_source + u"x64\\", destination + u"x64\\", copied, journal);
    return failed;
}

}  // namespace

TLString CopyCoreLibrariesOnce(const TLString& program_source, const TLString& destination, TLStringArray& copied,
                               journal::CJournal* journal) {
    journal::MakeFolders(journal, destination);
    for (size_t slot = 0; slot < tltools::kModuleSlotCount; ++slot) {
        const TLString name = tltools::ModuleFileName(static_cast<tltools::ModuleSlot>(slot));
        const TLString source = program_source + name;
        if (!tlwin::FileExists(source)) continue;
        const TLString target = destination + name;
        if (const DWORD error = journal::PlaceFile(journal, source, target); error != ERROR_SUCCESS) {
            tools::LogFormat(u"CopyCoreLibraries", u"Error %d copying %s", static_cast<int>(error), target);
            return target;
        }
        tlwin::SetAttributesAt(target, FILE_ATTRIBUTE_NORMAL);
        if (copied.Find(source, true) == TLString::npos) copied.Add(source);
    }
    return TLString();
}

bool CopyCoreLibraries(const TLString& program_source, const TLString& destination, tools::IInstallPrompts& prompts,
                       TLStringArray& copied, journal::CJournal* journal) {
    for (;;) {
        const TLString failed = CopyAllPasses(program_source, destination, copied, journal);
        if (failed.empty()) return true;
        if (!RetryChosen(prompts.Ask(CoreLibraryFailure(failed)))) return false;
    }
}

}  // namespace engine
