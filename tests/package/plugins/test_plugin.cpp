// A player plug-in library with exactly the exports of one kind, chosen when it is built: the input
// kinds report the interface version they were built with.

#include <windows.h>

#define PLUGIN_EXPORT extern "C" __declspec(dllexport)

#if defined(INPUT_VERSION)
struct InputModule {
    int version;
    const char* description;
    HWND main_window;
    HINSTANCE instance;
    const char* extensions;
};
static InputModule g_module = {INPUT_VERSION, "Night decoder", nullptr, nullptr, "nit;nt2\0Night files\0"};
PLUGIN_EXPORT InputModule* winampGetInModule2() { return &g_module; }

#elif defined(DSP_PLUGIN)
struct DspHeader {
    int version;
    const char* description;
};
static DspHeader g_header = {0x20, "Echo Chamber"};
PLUGIN_EXPORT DspHeader* winampDSPGetHeader2() { return &g_header; }

#elif defined(VST_PLUGIN)
PLUGIN_EXPORT void* VSTPluginMain(void*) { return nullptr; }

#elif defined(GIRDER_PLUGIN)
static void Put(char* data, int size, const char* text) { lstrcpynA(data, text, size); }
PLUGIN_EXPORT int gir_open(int, char*, void*) { return 1; }
PLUGIN_EXPORT int gir_close() { return 1; }
PLUGIN_EXPORT int gir_start() { return 1; }
PLUGIN_EXPORT int gir_stop() { return 1; }
PLUGIN_EXPORT void gir_config() {}
PLUGIN_EXPORT int gir_info(int, int, int) { return 0; }
PLUGIN_EXPORT void gir_name(char* data, int size) { Put(data, size, "Remote Pad"); }
PLUGIN_EXPORT void gir_description(char* data, int size) { Put(data, size, "A pad of buttons"); }
PLUGIN_EXPORT void gir_version(char* data, int size) { Put(data, size, "1.4"); }
PLUGIN_EXPORT int gir_requested_api(int) { return 1; }
PLUGIN_EXPORT int gir_devicenum() { return 1; }
PLUGIN_EXPORT int gir_compare(char*, char*) { return 0; }

#elif defined(VIS_PLUGIN)
PLUGIN_EXPORT void* winampVisGetHeader() { return nullptr; }
#endif
