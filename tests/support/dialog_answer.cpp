#include "tests/support/dialog_answer.h"

#include "tests/support/window_driver.h"

namespace tltest {
namespace {

// Presses the button of that label, or else the dialog's first button; false in the second case.
bool PressOrClose(HWND dialog, std::u16string_view label) {
    if (PressButton(dialog, label)) return true;
    const TLStringArray labels = ButtonLabels(dialog);
    if (!labels.IsEmpty()) PressButton(dialog, labels[0]);
    return false;
}

}  // namespace

DialogAnswer::DialogAnswer(std::u16string_view title, std::u16string_view button, DWORD timeout_ms)
    : thread_(&DialogAnswer::Answer, this, TLString(title), TLString(button), timeout_ms) {}

DialogAnswer::~DialogAnswer() { Stop(); }

void DialogAnswer::Answer(TLString title, TLString button, DWORD timeout_ms) {
    const DWORD process = GetCurrentProcessId();
    const ULONGLONG deadline = GetTickCount64() + timeout_ms;
    while (!stop_ && GetTickCount64() < deadline) {
        if (HWND dialog = WaitForDialog(title.view(), process, 100)) {
            text_ = AllText(dialog);
            answered_ = PressOrClose(dialog, button.view());
            return;
        }
    }
    // Past the deadline every dialog of this process is closed as soon as it shows (a slow one too),
    // until the test's thread is back from its modal call.
    while (!stop_) {
        for (HWND other : DialogsOf(process)) PressOrClose(other, button.view());
        Sleep(100);
    }
}

void DialogAnswer::Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}

bool DialogAnswer::Answered() {
    Stop();
    return answered_;
}

}  // namespace tltest
