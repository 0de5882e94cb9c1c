// A library the product installs into the Windows system folders (a codec, a runtime helper). The
// stand-in does nothing; only its version resource matters to the installer.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, void*) { return TRUE; }
