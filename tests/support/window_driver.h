#pragma once
// Finding and answering another program's windows from a test, the way a person would see them:
// top-level windows by title, their controls' texts, and buttons pressed by sending the parent the
// button's WM_COMMAND (BM_CLICK does not cross processes under Wine).

#include <windows.h>

#include <vector>

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"

namespace tltest {

// The first visible top-level window of that class (and title, when one is given) that belongs to
// `process_id` (any process when 0); null when there is none.
HWND FindVisibleWindow(DWORD process_id, std::u16string_view class_name, std::u16string_view title = {});

// Waits for a visible dialog ("#32770") with that title, owned by `process_id` when not 0, until its
// buttons exist; null after the timeout.
HWND WaitForDialog(std::u16string_view title, DWORD process_id = 0, DWORD timeout_ms = 30000);

// A window's text (its caption, a control's label or contents), also of another process's window.
TLString WindowText(HWND window);

// The texts of the window's child controls in creation order.
TLStringArray ChildTexts(HWND window);
// Every child text joined with "\n"; the place to look for a message.
TLString AllText(HWND window);

// Presses the button whose label (ignoring "&") is `label`; false when there is none.
bool PressButton(HWND window, std::u16string_view label);
// The labels (without "&") of the window's buttons in creation order.
TLStringArray ButtonLabels(HWND window);

// The visible dialogs ("#32770") that `process_id` shows, whatever their titles.
std::vector<HWND> DialogsOf(DWORD process_id);

}  // namespace tltest
