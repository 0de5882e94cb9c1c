// TLWMFactory.dll: Windows Media format support. It has no entry export; the product loads it by name.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, void*) { return TRUE; }
