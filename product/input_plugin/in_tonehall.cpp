// in_tonehall.dll: an input plug-in of the player in the Winamp style. The player asks its export for
// the module description, whose first field is the plug-in interface version (4); the stand-in
// describes itself and the types it would play, and decodes nothing.
#include <windows.h>

namespace {

struct InputModule {
    int version;
    const char* description;
    HWND main_window;     // filled in by the player
    HINSTANCE instance;   // filled in by the player
    const char* extensions;  // "ext;ext", a zero, the types' description, a zero, ...
};

InputModule g_module{4, "Tonehall audio input", nullptr, nullptr, "tha;thl\0Tonehall audio files\0"};

}  // namespace

extern "C" __declspec(dllexport) InputModule* winampGetInModule2() { return &g_module; }
