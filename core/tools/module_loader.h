#pragma once
// The product's modules (the tools library and the six further core libraries), one slot each,
// loaded on demand from the product's program folder and held until the process ends.

#include <windows.h>

#include <cstddef>

#include "core/string/tl_string.h"
#include "core/tools/tools_interface.h"

namespace tltools {

enum ModuleSlot : size_t {
    kToolsSlot,
    kImageSlot,
    kReaderSlot,
    kDiscSlot,
    kPlayerSlot,
    kWMFactorySlot,
    kTelevisionSlot,
    kModuleSlotCount,
};

struct ModuleDescription {
    const char16_t* file_name;
    const char* entry_export;         // null: the module has none
    const char* uninitialise_export;  // null: nothing to call before unloading
    bool takes_interface_version;
};

// The slots in order; also the order in which the core libraries are copied.
const ModuleDescription& DescribeModule(ModuleSlot slot);
// The slot's file name, the tools library's included (its name is put together at run time). Going
// through the slots from kToolsSlot to kModuleSlotCount gives the seven core libraries in order.
TLString ModuleFileName(ModuleSlot slot);

class TLModuleLoader {
public:
    static TLModuleLoader& Get();

    // The handle handed to each module's object; set by the application before loading.
    void SetInstance(HINSTANCE instance) { instance_ = instance; }

    // Loads the slot's module unless it is loaded: from the program folder of the process information
    // block; from the bare name when that folder is empty; from the folder's "x64\" subfolder when
    // the folder has no such module. True when the module and its object are present. Loading the
    // tools library makes its interface the process-wide one.
    bool Load(ModuleSlot slot);
    // As Load, with the program folder given.
    bool LoadFrom(ModuleSlot slot, const TLString& program_folder);

    HMODULE Module(ModuleSlot slot) const { return slots_[slot].module; }
    IProductModule* Object(ModuleSlot slot) const { return slots_[slot].object; }

    // Releases every loaded module, calling its uninitialise export first.
    void UnloadAll();

private:
    struct Slot {
        HMODULE module = nullptr;
        IProductModule* object = nullptr;
    };

    TLModuleLoader();
    HMODULE LoadFile(ModuleSlot slot, const TLString& program_folder) const;

    CRITICAL_SECTION lock_;
    HINSTANCE instance_ = nullptr;
    Slot slots_[kModuleSlotCount];
};

}  // namespace tltools
