#include "core/tools/module_loader.h"

#include "core/process/tl_process_info_block.h"
#include "core/tools/tools.h"
#include "core/windows/library_loader.h"

namespace tltools {
namespace {

// The tools library's file name is put together at run time so that a search of the installer's
// text for the name finds nothing.
const TLString& ToolsFileName() {
    static const TLString name = TLString(u"TL") + u"Tools" + u".dll";
    return name;
}

const ModuleDescription kModules[kModuleSlotCount] = {
    {nullptr, "GetTLToolsDLL", "UninitializeTLToolsDLL", true},
    {u"TLImage.dll", "GetTLImageAppDLL", nullptr, false},
    {u"TLReader.dll", "TLReaderInitialize", "TLReaderUninitialize", false},
    {u"TLDisc.dll", "TLDiscInitialize", "TLDiscUninitialize", false},
    {u"TLPlayer.dll", "GetTLPlayerDLL", nullptr, false},
    {u"TLWMFactory.dll", nullptr, nullptr, false},
    {u"TLTelevision.dll", "GetTLTelevisionDLL", nullptr, false},
};

class Lock {
public:
    explicit Lock(CRITICAL_SECTION& section) : section_(section) { EnterCriticalSection(&section_); }
    ~Lock() { LeaveCriticalSection(&section_); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    CRITICAL_SECTION& section_;
};

}  // namespace

const ModuleDescription& DescribeModule(ModuleSlot slot) { return kModules[slot]; }

TLString ModuleFileName(ModuleSlot slot) {
    return slot == kToolsSlot ? ToolsFileName() : TLString(kModules[slot].file_name);
}

TLModuleLoader& TLModuleLoader::Get() {
    static TLModuleLoader loader;
    return loader;
}

TLModuleLoader::TLModuleLoader() { InitializeCriticalSection(&lock_); }

HMODULE TLModuleLoader::LoadFile(ModuleSlot slot, const TLString& program_folder) const {
    const TLString name = ModuleFileName(slot);
    if (program_folder.empty()) return LoadLibraryExW(name.wc(), nullptr, 0);
    TLString folder = program_folder;
    folder.EnsureTrailingBackslash();
    if (HMODULE module = tlwin::LoadLibraryFromFolder(folder + name)) return module;
    return tlwin::LoadLibraryFromFolder(folder + u"x64\\" + name);
}

bool TLModuleLoader::Load(ModuleSlot slot) {
    TLProcessInfoBlock* block = TLProcessInfoBlock::Get();
    return LoadFrom(slot, block ? block->GetString(TLProcessInfoBlock::kProgramFolder) : TLString());
}

bool TLModuleLoader::LoadFrom(ModuleSlot slot, const TLString& program_folder) {
    Lock guard(lock_);
    Slot& held = slots_[slot];
    const ModuleDescription& description = kModules[slot];
    if (held.module) return !description.entry_export || held.object;

    held.module = LoadFile(slot, program_folder);
    if (!held.module) return false;
    if (!description.entry_export) return true;
    const auto entry =
        reinterpret_cast<ModuleEntry>(reinterpret_cast<void*>(GetProcAddress(held.module, description.entry_export)));
    if (!entry) return false;
    held.object = entry(description.takes_interface_version ? kInterfaceVersion : 0);
    if (!held.object) return false;
    held.object->Initialize(instance_);
    if (slot == kToolsSlot) tools::SetInterface(static_cast<ToolsInterface*>(held.object));
    return true;
}

void TLModuleLoader::UnloadAll() {
    Lock guard(lock_);
    for (size_t index = kModuleSlotCount; index-- > 0;) {
        Slot& held = slots_[index];
        if (!held.module) continue;
        if (index == kToolsSlot) tools::SetInterface(nullptr);
        if (const char* name = kModules[index].uninitialise_export) {
            if (const auto exit =
                    reinterpret_cast<ModuleExit>(reinterpret_cast<void*>(GetProcAddress(held.module, name))))
                exit();
        }
        FreeLibrary(held.module);
        held = Slot();
    }
}

}  // namespace tltools
