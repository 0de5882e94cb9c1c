#include "shell/shortcuts/shell_link.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <string>

#include "core/tools/tools.h"

namespace shell {
namespace {

// Releases a COM interface when it goes.
template <typename T>
class ComPtr {
public:
    ~ComPtr() {
        if (p_) p_->Release();
    }
    T** out() { return &p_; }
    T* operator->() const { return p_; }
    T* get() const { return p_; }

private:
    T* p_ = nullptr;
};

bool Save(IUnknown* link, const TLString& path) {
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.out())))) return false;
    return SUCCEEDED(file->Save(path.wc(), TRUE));
}

bool CreateWide(const ShortcutSpec& shortcut) {
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(link.out()))))
        return false;
    link->SetPath(shortcut.target.wc());
    link->SetDescription(L"");
    if (!shortcut.arguments.empty()) link->SetArguments(shortcut.arguments.wc());
    if (!shortcut.icon.empty()) link->SetIconLocation(shortcut.icon.wc(), 0);
    return Save(link.get(), shortcut.link);
}

// The ANSI interface, for shells that offer no other.
bool CreateAnsi(const ShortcutSpec& shortcut) {
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(link.out()))))
        return false;
    const auto ansi = [](const TLString& text) {
        const int size = WideCharToMultiByte(CP_ACP, 0, text.wc(), -1, nullptr, 0, nullptr, nullptr);
        std::string converted(size > 0 ? static_cast<size_t>(size) : 1, '\0');
        WideCharToMultiByte(CP_ACP, 0, text.wc(), -1, converted.data(), size, nullptr, nullptr);
        return converted;
    };
    link->SetPath(ansi(shortcut.target).c_str());
    link->SetDescription("");
    if (!shortcut.arguments.empty()) link->SetArguments(ansi(shortcut.arguments).c_str());
    if (!shortcut.icon.empty()) link->SetIconLocation(ansi(shortcut.icon).c_str(), 0);
    return Save(link.get(), shortcut.link);
}

}  // namespace

bool CreateShortcut(const ShortcutSpec& shortcut) {
    const bool created = CreateWide(shortcut) || CreateAnsi(shortcut);
    if (!created) tools::LogFormat(u"shell::CreateShortcut", u"\"%s\" could not be created", shortcut.link);
    return created;
}

}  // namespace shell
