#include "product/com_server/com_registration.h"

#include <string>

namespace tlproduct {
namespace {

bool SetString(const std::wstring& key_path, const wchar_t* name, const std::wstring& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key_path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const bool written = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written;
}

std::wstring ClassKey(const wchar_t* clsid) { return std::wstring(L"Software\\Classes\\CLSID\\") + clsid; }

}  // namespace

HRESULT RegisterComClass(HMODULE module, const wchar_t* clsid, const wchar_t* class_name, const wchar_t* prog_id) {
    wchar_t path[MAX_PATH + 1] = {};
    GetModuleFileNameW(module, path, MAX_PATH + 1);
    const std::wstring key = ClassKey(clsid);
    const bool written = SetString(key, nullptr, class_name) && SetString(key + L"\\InprocServer32", nullptr, path) &&
                         SetString(key + L"\\InprocServer32", L"ThreadingModel", L"Both") &&
                         SetString(key + L"\\ProgID", nullptr, prog_id) &&
                         SetString(std::wstring(L"Software\\Classes\\") + prog_id + L"\\CLSID", nullptr, clsid);
    return written ? S_OK : E_FAIL;
}

HRESULT UnregisterComClass(const wchar_t* clsid, const wchar_t* prog_id) {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, ClassKey(clsid).c_str());
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, (std::wstring(L"Software\\Classes\\") + prog_id).c_str());
    return S_OK;
}

}  // namespace tlproduct
