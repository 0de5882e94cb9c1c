#include <windows.h>
// ole2.h needs windows.h first.
#include <ole2.h>

#include "app/system_checks/browser_check.h"

namespace syschecks {
namespace {

// The WebBrowser control, {8856F961-340A-11D0-A96B-00C04FD705A2}.
constexpr CLSID kWebBrowser = {0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};

bool WebBrowserAvailable() {
    IUnknown* browser = nullptr;
    if (FAILED(CoCreateInstance(kWebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                reinterpret_cast<void**>(&browser))))
        return false;
    browser->Release();
    return true;
}

TLString BrowserVersion() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Internet Explorer", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return kUnknownBrowserVersion;
    wchar_t version[256] = {};
    DWORD type = 0, bytes = sizeof version - sizeof(wchar_t);
    const LSTATUS status = RegQueryValueExW(key, L"Version", nullptr, &type, reinterpret_cast<BYTE*>(version), &bytes);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) || version[0] == L'\0')
        return kUnknownBrowserVersion;
    return TLString(version);
}

}  // namespace

BrowserComponent ReadBrowserComponent() { return BrowserComponent{WebBrowserAvailable(), BrowserVersion()}; }

}  // namespace syschecks
