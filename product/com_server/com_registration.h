#pragma once
// Self-registration of the product's in-process COM servers: the class's key under
// HKEY_LOCAL_MACHINE\Software\Classes\CLSID names the DLL as its server.

#include <windows.h>

namespace tlproduct {

// Writes "CLSID\{clsid}" with the class name, "InprocServer32" with the module's path and the
// threading model, and the ProgID pointing at the class.
HRESULT RegisterComClass(HMODULE module, const wchar_t* clsid, const wchar_t* class_name, const wchar_t* prog_id);
HRESULT UnregisterComClass(const wchar_t* clsid, const wchar_t* prog_id);

}  // namespace tlproduct
