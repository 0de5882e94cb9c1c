// in_tonehall.dll: an input plug-in of the player in the Winamp style. The player asks its export for
// the module description; the stand-in describes itself and decodes nothing.
#include <windows.h>

namespace {

struct InputModule {
    int version;
    const char* description;
};

InputModule g_module{0x100, "Tonehall audio input"};

}  // namespace

extern "C" __declspec(dllexport) InputModule* winampGetInModule2() { return &g_module; }
