#include "tests/support/window_driver.h"

#include <vector>

namespace tltest {
namespace {

TLString ClassName(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return TLString(reinterpret_cast<const char16_t*>(name));
}

struct Search {
    DWORD process_id;
    std::u16string_view class_name;
    std::u16string_view title;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (search->process_id && owner != search->process_id) return TRUE;
    if (ClassName(window) != search->class_name || !IsWindowVisible(window)) return TRUE;
    if (!search->title.empty() && WindowText(window) != search->title) return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->first && ClassName(window) == u"#32770" && IsWindowVisible(window))
        search->second.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM parameter) {
    reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
    return TRUE;
}

std::vector<HWND> Children(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

bool HasButton(HWND window) {
    for (HWND child : Children(window))
        if (ClassName(child).EqualsNoCase(u"Button")) return true;
    return false;
}

}  // namespace

TLString WindowText(HWND window) {
    wchar_t text[4096] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
    return TLString(reinterpret_cast<const char16_t*>(text));
}

HWND FindVisibleWindow(DWORD process_id, std::u16string_view class_name, std::u16string_view title) {
    Search search{process_id, class_name, title, nullptr};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForDialog(std::u16string_view title, DWORD process_id, DWORD timeout_ms) {
    for (DWORD waited = 0; waited <= timeout_ms; waited += 100) {
        HWND found = FindVisibleWindow(process_id, u"#32770", title);
        if (found && HasButton(found)) return found;
        Sleep(100);
    }
    return nullptr;
}

TLStringArray ChildTexts(HWND window) {
    TLStringArray texts;
    for (HWND child : Children(window)) texts.Add(WindowText(child));
    return texts;
}

TLString AllText(HWND window) {
    TLString all;
    const TLStringArray texts = ChildTexts(window);
    for (size_t i = 0; i < texts.GetCount(); ++i) all += texts[i] + u"\n";
    return all;
}

namespace {

std::vector<std::pair<HWND, TLString>> Buttons(HWND window) {
    std::vector<std::pair<HWND, TLString>> buttons;
    for (HWND child : Children(window)) {
        if (!ClassName(child).EqualsNoCase(u"Button")) continue;
        TLString text = WindowText(child);
        text.Replace(u"&", u"");
        buttons.emplace_back(child, text);
    }
    return buttons;
}

}  // namespace

bool PressButton(HWND window, std::u16string_view label) {
    for (const auto& [button, text] : Buttons(window)) {
        if (text != label) continue;
        const int id = GetDlgCtrlID(button);
        return PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    }
    return false;
}

TLStringArray ButtonLabels(HWND window) {
    TLStringArray labels;
    for (const auto& button : Buttons(window)) labels.Add(button.second);
    return labels;
}

std::vector<HWND> DialogsOf(DWORD process_id) {
    std::pair<DWORD, std::vector<HWND>> search{process_id, {}};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

}  // namespace tltest
