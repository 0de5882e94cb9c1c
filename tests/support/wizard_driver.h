#pragma once
// Driving the installer's wizard from a test the way a person would: start Setup.exe, wait for the
// wizard, read its caption, header, page texts and buttons, click, tick, choose, type, and answer
// the message boxes it shows. Controls are found by the wizard's stable identifiers
// (wizard/control_ids.h); clicks are sent to the button's parent as WM_COMMAND, as under Wine a
// BM_CLICK does not cross processes.

#include <windows.h>

#include <cstdint>

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"
#include "tests/support/win_test_support.h"

namespace tltest {

// The visible wizard window of the process once a page is shown in it; null after the timeout or
// when the process has ended.
HWND WaitForWizard(DWORD process_id, DWORD timeout_ms = 60000);

// For tests about what happens before the wizard: waits for it, ends it as a close request with
// "cancelled" does (no question asked), and waits for the program to end.
ProgramResult CloseWizardAndWait(StartedProgram& setup, DWORD timeout_ms = 60000);

class WizardDriver {
public:
    WizardDriver(const TLString& setup_exe, std::u16string_view arguments);

    StartedProgram& program() { return program_; }
    // Waits for the wizard window with its first page; false after the timeout.
    bool WaitForWizard(DWORD timeout_ms = 60000);
    HWND window() const { return wizard_; }

    TLString Caption() const;
    // The header as formatted ("<b>Title</b>\r\n\tSubtitle"), and its two parts.
    TLString Header() const;
    TLString Title() const;
    TLString Subtitle() const;
    // The index of the page shown in the wizard's page list; -1 when none is shown.
    int PageIndex() const;
    // Waits until the page with that index (or title) is shown.
    bool WaitForPage(int index, DWORD timeout_ms = 60000);
    bool WaitForTitle(std::u16string_view title, DWORD timeout_ms = 60000);
    // The texts of the shown page's controls, in creation order.
    TLStringArray PageTexts() const;
    // The window of a control of the shown page, or of the wizard (buttons, header).
    HWND Control(int id) const;

    struct ButtonState {
        bool exists = false;
        bool visible = false;
        bool enabled = false;
        TLString text;
    };
    ButtonState Button(int id) const;

    // A person's click: made once the page has been up longer than the wizard's guard against double
    // clicks. False when the button is not there.
    bool Click(int id);
    // A click sent at once, as the second click of a double click would be.
    bool ClickNow(int id);
    bool SetChecked(int id, bool checked);
    bool IsChecked(int id) const;
    // Selects the radio button `id`, clearing the others of its group (`first_id` .. `first_id + count - 1`).
    bool SelectRadio(int first_id, int count, int id);
    bool TypeText(int id, const TLString& text);
    TLString Text(int id) const;

    // The close box, as a person would press it.
    void RequestClose();
    // The message box of the installer with that title; null after the timeout.
    HWND WaitForMessage(std::u16string_view title, DWORD timeout_ms = 30000);
    // Presses a button of that message box; false when the box or the button is not there.
    bool AnswerMessage(std::u16string_view title, std::u16string_view button, DWORD timeout_ms = 30000);

    // Waits for the program to end (terminating it after the timeout).
    ProgramResult WaitForExit(DWORD timeout_ms = 60000) { return program_.Wait(timeout_ms); }
    bool HasExited() const;

private:
    // Notes when a page change was first seen, for the click guard.
    void Observe() const;

    StartedProgram program_;
    HWND wizard_ = nullptr;
    mutable int seen_index_ = -2;
    mutable uint64_t seen_at_ = 0;
};

}  // namespace tltest
