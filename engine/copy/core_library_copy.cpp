#include "engine/copy/core_library_copy.h"

#include <windows.h>

#include "core/tools/message_box.h"
#include "core/tools/module_loader.h"
#include "core/tools/tools.h"
#include "core/windows/file_attributes.h"
#include "core/windows/file_operations.h"
#include "core/windows/tl_file_system.h"

namespace engine {
namespace {

bool IsWow64() {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

TLString CopyAllPasses(const TLString& program_source, const TLString& destination, TLStringArray& copied) {
    TLString failed = CopyCoreLibrariesOnce(program_source, destination, copied);
    if (failed.empty() && IsWow64())
        failed = CopyCoreLibrariesOnce(program_source + u"x64\\", destination + u"x64\\", copied);
    return failed;
}

}  // namespace

TLString CopyCoreLibrariesOnce(const TLString& program_source, const TLString& destination, TLStringArray& copied) {
    tlwin::TLFileSystem::MakeDirectoryTree(destination);
    for (size_t slot = 0; slot < tltools::kModuleSlotCount; ++slot) {
        const TLString name = tltools::ModuleFileName(static_cast<tltools::ModuleSlot>(slot));
        const TLString source = program_source + name;
        if (!tlwin::FileExists(source)) continue;
        const TLString target = destination + name;
        tlwin::SetAttributesAt(target, FILE_ATTRIBUTE_NORMAL);
        if (!tlwin::CopyFileTo(source, target, true)) {
            tools::LogFormat(u"CopyCoreLibraries", u"Error %d copying %s", static_cast<int>(GetLastError()), target);
            return target;
        }
        tlwin::SetAttributesAt(target, FILE_ATTRIBUTE_NORMAL);
        if (copied.Find(source, true) == TLString::npos) copied.Add(source);
    }
    return TLString();
}

bool CopyCoreLibraries(const TLString& program_source, const TLString& destination, void* owner_window,
                       TLStringArray& copied) {
    for (;;) {
        const TLString failed = CopyAllPasses(program_source, destination, copied);
        if (failed.empty()) return true;
        const TLString what_to_do =
            TLString::Format(tools::Translate(u"Please ensure that the file '%s' is not in use."), failed);
        const TLStringArray buttons{tools::Translate(u"Retry"), tools::Translate(u"Cancel")};
        const int pressed = tools::ShowMessage(
            static_cast<HWND>(owner_window), tools::Translate(u"Failure Copying System File"),
            tools::Translate(u"Install Wizard could not copy necessary files to the destination folder.\r\n\r\n") +
                what_to_do,
            tltools::IMessageService::kOk, &buttons);
        if (pressed == tltools::IMessageService::kResultFirstNamed) continue;
        ShowCriticalError(owner_window);
        return false;
    }
}

void ShowCriticalError(void* owner_window) {
    tools::ShowTranslatedMessage(static_cast<HWND>(owner_window), u"Install Error",
                                 {u"Install Wizard encountered a critical error and must close.\r\n\r\n",
                                  u"It is recommended that you reboot your computer and install again.\r\n\r\n",
                                  u"If this error persists, please uninstall and then install again."},
                                 tltools::IMessageService::kOk);
}

}  // namespace engine
