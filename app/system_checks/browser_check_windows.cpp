#include <windows.h>
// ole2.h needs windows.h first.
#include <ole2.h>

#include "app/system_checks/browser_check.h"
#include "core/windows/registry.h"

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
    // The control's libraries are needed for this question only; the install that follows has better
    // use for the memory they hold.
    CoFreeUnusedLibrariesEx(0, 0);
    return true;
}

TLString BrowserVersion() {
    const tlwin::RegistryKey key =
        tlwin::RegistryKey::Open(HKEY_LOCAL_MACHINE, u"Software\\Microsoft\\Internet Explorer", KEY_READ);
    TLString version;
    return key.ReadString(u"Version", &version) && !version.empty() ? version : TLString(kUnknownBrowserVersion);
}

}  // namespace

BrowserComponent ReadBrowserComponent() { return BrowserComponent{WebBrowserAvailable(), BrowserVersion()}; }

}  // namespace syschecks
