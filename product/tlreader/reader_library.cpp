// The stand-in of the product's reader library. It has no HTTP client yet: both reader exports
// answer with no reader, which callers must take as a failed download or read.
#include <windows.h>

#include "core/tools/reader_interface.h"
#include "core/tools/tools_interface.h"

namespace {

class CReaderLibrary final : public tltools::IProductModule {
public:
    void Initialize(void*) override {}
};

CReaderLibrary g_library;

}  // namespace

extern "C" {

__declspec(dllexport) tltools::IProductModule* TLReaderInitialize(int) { return &g_library; }

__declspec(dllexport) void TLReaderUninitialize() {}

__declspec(dllexport) tltools::IReader* CreateInternetReaderDLL(const TLString&) { return nullptr; }

__declspec(dllexport) tltools::IReader* CreateGenericReaderDLL(const TLString&) { return nullptr; }

}  // extern "C"
