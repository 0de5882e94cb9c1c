#include "core/tools/message_box.h"

#include <iterator>

#include "core/tools/message_log.h"
#include "core/tools/tools.h"

namespace tools {
namespace {

// Named button sets the plain Windows box can show, with its result for each button.
struct PlainButtonSet {
    UINT type;
    std::u16string_view names[3];
    int results[3];
};

constexpr PlainButtonSet kPlainButtonSets[] = {
    {MB_OK, {u"OK"}, {IDOK}},
    {MB_OKCANCEL, {u"OK", u"Cancel"}, {IDOK, IDCANCEL}},
    {MB_YESNO, {u"Yes", u"No"}, {IDYES, IDNO}},
    {MB_YESNOCANCEL, {u"Yes", u"No", u"Cancel"}, {IDYES, IDNO, IDCANCEL}},
    {MB_RETRYCANCEL, {u"Retry", u"Cancel"}, {IDRETRY, IDCANCEL}},
    {MB_ABORTRETRYIGNORE, {u"Abort", u"Retry", u"Ignore"}, {IDABORT, IDRETRY, IDIGNORE}},
};

bool Matches(const PlainButtonSet& set, const TLStringArray& names) {
    size_t count = 0;
    while (count < std::size(set.names) && !set.names[count].empty()) ++count;
    if (count != names.GetCount()) return false;
    for (size_t i = 0; i < count; ++i)
        if (!names[i].EqualsNoCase(set.names[i])) return false;
    return true;
}

// Named buttons without the product's dialog: the Windows set with the same names (any other set
// becomes OK/Cancel for the first and last name), the pressed one mapped back to its index.
int ShowPlainNamed(HWND owner, const TLString& title, const TLString& text, const TLStringArray& names) {
    for (const PlainButtonSet& set : kPlainButtonSets) {
        if (!Matches(set, names)) continue;
        const int pressed = MessageBoxW(owner, text.wc(), title.wc(), set.type);
        for (size_t i = 0; i < names.GetCount(); ++i)
            if (set.results[i] == pressed) return IMessageService::kResultFirstNamed + static_cast<int>(i);
        return IMessageService::kResultFirstNamed + static_cast<int>(names.GetCount()) - 1;
    }
    const int pressed = MessageBoxW(owner, text.wc(), title.wc(), MB_OKCANCEL);
    const size_t index = pressed == IDOK || names.GetCount() < 2 ? 0 : names.GetCount() - 1;
    return IMessageService::kResultFirstNamed + static_cast<int>(index);
}

int ShowPlain(HWND owner, const TLString& title, const TLString& text, int buttons, const TLStringArray* names) {
    if (names && !names->IsEmpty()) return ShowPlainNamed(owner, title, text, *names);
    if (buttons == IMessageService::kYesNo) return MessageBoxW(owner, text.wc(), title.wc(), MB_YESNO);
    MessageBoxW(owner, text.wc(), title.wc(), MB_OK);
    return IMessageService::kResultOk;
}

}  // namespace

int ShowMessage(HWND owner, const TLString& title, const TLString& text, int buttons,
                const TLStringArray* named_buttons) {
    tltools::ToolsInterface* tools = Interface();
    IMessageService* service = tools ? tools->GetMessageService(1) : nullptr;
    const int answer = service ? service->Show(owner, title, text, buttons, named_buttons)
                               : ShowPlain(owner, title, text, buttons, named_buttons);
    LogMessageBox(title, text, answer, named_buttons);
    return answer;
}

void ShowWindowsMessage(const TLString& title, const TLString& text) {
    MessageBoxW(nullptr, text.wc(), title.wc(), MB_OK);
    LogMessageBox(title, text, IMessageService::kResultOk, nullptr);
}

int ShowTranslatedMessage(HWND owner, const TLString& title, std::initializer_list<TLString> parts, int buttons,
                          std::initializer_list<TLString> named_buttons) {
    TLString text;
    for (const TLString& part : parts) text += Translate(part);
    TLStringArray names;
    for (const TLString& name : named_buttons) names.Add(Translate(name));
    return ShowMessage(owner, Translate(title), text, buttons, names.IsEmpty() ? nullptr : &names);
}

}  // namespace tools
