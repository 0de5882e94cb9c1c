#include "tests/support/wizard_driver.h"

#include <vector>

#include "tests/support/window_driver.h"
#include "toolkit/wizard/tl_wizard_popup_wnd.h"
#include "wizard/control_ids.h"

namespace tltest {
namespace {

constexpr DWORD kPoll = 50;
// A little more than the wizard's own guard, so that a click is never taken for a double click.
constexpr uint64_t kClickSettle = TLClickGuard::kMilliseconds + 100;
constexpr int kMaximumPages = 16;

bool ProcessEnded(DWORD process_id) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, process_id);
    if (!process) return true;
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

struct ChildSearch {
    int id;
    bool visible_only;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<ChildSearch*>(parameter);
    if (GetDlgCtrlID(window) != search->id || (search->visible_only && !IsWindowVisible(window))) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindChild(HWND parent, int id, bool visible_only) {
    if (!parent) return nullptr;
    ChildSearch search{id, visible_only, nullptr};
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ShownPage(HWND wizard) {
    for (int index = 0; index < kMaximumPages; ++index)
        if (HWND page = FindChild(wizard, wizard_ids::kFirstPageId + index, true)) return page;
    return nullptr;
}

template <typename Condition>
bool PollFor(DWORD timeout_ms, Condition condition) {
    for (DWORD waited = 0;; waited += kPoll) {
        if (condition()) return true;
        if (waited >= timeout_ms) return false;
        Sleep(kPoll);
    }
}

}  // namespace

HWND WaitForWizard(DWORD process_id, DWORD timeout_ms) {
    HWND wizard = nullptr;
    PollFor(timeout_ms, [&] {
        HWND found = FindVisibleWindow(process_id, u"TLWizardPopupWnd");
        if (found && ShownPage(found)) wizard = found;
        return wizard != nullptr || ProcessEnded(process_id);
    });
    return wizard;
}

ProgramResult CloseWizardAndWait(StartedProgram& setup, DWORD timeout_ms) {
    if (HWND wizard = WaitForWizard(setup.id(), timeout_ms))
        PostMessageW(wizard, TLWizardPopupWnd::kCloseMessage, TLWizardPopupWnd::kCancelled, 0);
    return setup.Wait(timeout_ms);
}

WizardDriver::WizardDriver(const TLString& setup_exe, std::u16string_view arguments) : program_(setup_exe, arguments) {}

bool WizardDriver::WaitForWizard(DWORD timeout_ms) {
    wizard_ = tltest::WaitForWizard(program_.id(), timeout_ms);
    Observe();
    return wizard_ != nullptr;
}

bool WizardDriver::HasExited() const { return ProcessEnded(program_.id()); }

TLString WizardDriver::Caption() const { return wizard_ ? WindowText(wizard_) : TLString(); }

TLString WizardDriver::Header() const { return WindowText(FindChild(wizard_, wizard_ids::kHeaderId, false)); }

TLString WizardDriver::Title() const {
    const TLString header = Header();
    const size_t open = header.Find(u"<b>");
    const size_t close = header.Find(u"</b>");
    if (open == TLString::npos || close == TLString::npos || close < open) return TLString();
    return header.Mid(open + 3, close - open - 3);
}

TLString WizardDriver::Subtitle() const {
    const TLString header = Header();
    const size_t line = header.Find(u"\r\n\t");
    return line == TLString::npos ? TLString() : header.Mid(line + 3);
}

int WizardDriver::PageIndex() const {
    HWND page = ShownPage(wizard_);
    return page ? GetDlgCtrlID(page) - wizard_ids::kFirstPageId : -1;
}

void WizardDriver::Observe() const {
    const int index = PageIndex();
    if (index == seen_index_) return;
    seen_index_ = index;
    seen_at_ = GetTickCount64();
}

bool WizardDriver::WaitForPage(int index, DWORD timeout_ms) {
    return PollFor(timeout_ms, [&] {
        Observe();
        return seen_index_ == index;
    });
}

bool WizardDriver::WaitForTitle(std::u16string_view title, DWORD timeout_ms) {
    return PollFor(timeout_ms, [&] {
        Observe();
        return Title() == title;
    });
}

TLStringArray WizardDriver::PageTexts() const { return ChildTexts(ShownPage(wizard_)); }

HWND WizardDriver::Control(int id) const {
    if (HWND page = ShownPage(wizard_))
        if (HWND control = FindChild(page, id, false)) return control;
    return FindChild(wizard_, id, false);
}

WizardDriver::ButtonState WizardDriver::Button(int id) const {
    ButtonState state;
    HWND button = Control(id);
    if (!button) return state;
    state.exists = true;
    state.visible = IsWindowVisible(button);
    state.enabled = IsWindowEnabled(button);
    state.text = WindowText(button);
    return state;
}

bool WizardDriver::ClickNow(int id) {
    HWND button = Control(id);
    if (!button) return false;
    return PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

bool WizardDriver::Click(int id) {
    PollFor(kClickSettle * 4, [&] {
        Observe();
        return GetTickCount64() - seen_at_ >= kClickSettle;
    });
    return ClickNow(id);
}

bool WizardDriver::SetChecked(int id, bool checked) {
    HWND box = Control(id);
    if (!box) return false;
    SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    PostMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(box));
    return true;
}

bool WizardDriver::IsChecked(int id) const {
    HWND box = Control(id);
    return box && SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool WizardDriver::SelectRadio(int first_id, int count, int id) {
    if (!Control(id)) return false;
    for (int other = first_id; other < first_id + count; ++other)
        if (other != id) SetChecked(other, false);
    return SetChecked(id, true);
}

bool WizardDriver::TypeText(int id, const TLString& text) {
    HWND field = Control(id);
    if (!field) return false;
    SendMessageTimeoutW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.wc()), SMTO_ABORTIFHUNG, 5000, nullptr);
    return true;
}

TLString WizardDriver::Text(int id) const { return WindowText(Control(id)); }

void WizardDriver::RequestClose() { PostMessageW(wizard_, WM_SYSCOMMAND, SC_CLOSE, 0); }

HWND WizardDriver::WaitForMessage(std::u16string_view title, DWORD timeout_ms) {
    return WaitForDialog(title, program_.id(), timeout_ms);
}

bool WizardDriver::AnswerMessage(std::u16string_view title, std::u16string_view button, DWORD timeout_ms) {
    HWND message = WaitForMessage(title, timeout_ms);
    return message && PressButton(message, button);
}

}  // namespace tltest
