// An in-process COM server of the product (the tag editor, the shell extension): the build names its
// class (TL_COM_CLASS_ID, TL_COM_PROG_ID, TL_COM_CLASS_NAME). Only its self-registration is real; the
// class itself is not offered (DllGetClassObject answers that it is not available).
#include <windows.h>

#include "product/com_server/com_registration.h"

namespace {

HMODULE g_module = nullptr;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) g_module = instance;
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    return tlproduct::RegisterComClass(g_module, TL_COM_CLASS_ID, TL_COM_CLASS_NAME, TL_COM_PROG_ID);
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return tlproduct::UnregisterComClass(TL_COM_CLASS_ID, TL_COM_PROG_ID);
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID, REFIID, void** object) {
    *object = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return S_OK; }
