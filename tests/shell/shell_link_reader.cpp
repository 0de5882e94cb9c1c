#include "tests/shell/shell_link_reader.h"

#include <objbase.h>
#include <shlobj.h>

namespace tltest {

bool ReadShortcut(const TLString& link, shell::ShortcutSpec* shortcut, int* icon_index) {
    IShellLinkW* shell_link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shell_link))))
        return false;
    IPersistFile* file = nullptr;
    bool read = SUCCEEDED(shell_link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
                SUCCEEDED(file->Load(link.wc(), STGM_READ));
    if (read) {
        wchar_t text[MAX_PATH * 2] = {};
        int index = 0;
        shortcut->link = link;
        shell_link->GetPath(text, MAX_PATH * 2, nullptr, 0);
        shortcut->target = TLString(reinterpret_cast<const char16_t*>(text));
        text[0] = 0;
        shell_link->GetArguments(text, MAX_PATH * 2);
        shortcut->arguments = TLString(reinterpret_cast<const char16_t*>(text));
        text[0] = 0;
        shell_link->GetIconLocation(text, MAX_PATH * 2, &index);
        shortcut->icon = TLString(reinterpret_cast<const char16_t*>(text));
        if (icon_index) *icon_index = index;
    }
    if (file) file->Release();
    shell_link->Release();
    return read;
}

}  // namespace tltest
