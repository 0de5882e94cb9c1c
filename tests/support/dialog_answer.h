#pragma once
// Answering a modal dialog of the test's own process: the test's thread shows it and stays inside the
// modal call, so another thread has to find it and press its button.

#include <windows.h>

#include <atomic>
#include <thread>

#include "core/string/tl_string.h"

namespace tltest {

// Starts a thread that waits for the dialog titled `title` of this process, keeps its text and presses
// `button`. When that button is missing it presses the dialog's first one, and when the dialog has not
// come by the deadline it closes every dialog this process shows from then on: either way the modal
// call returns and the test fails instead of hanging. The thread is joined at destruction, however the
// test ends.
class DialogAnswer {
public:
    DialogAnswer(std::u16string_view title, std::u16string_view button, DWORD timeout_ms = 30000);
    ~DialogAnswer();
    DialogAnswer(const DialogAnswer&) = delete;
    DialogAnswer& operator=(const DialogAnswer&) = delete;

    // Called once the modal call has returned: stops the thread and tells whether the dialog came and
    // its button was pressed.
    bool Answered();
    // The dialog's text (its controls' texts joined with "\n"); valid after Answered().
    const TLString& text() const { return text_; }

private:
    void Answer(TLString title, TLString button, DWORD timeout_ms);
    void Stop();

    std::atomic<bool> stop_{false};
    bool answered_ = false;
    TLString text_;
    std::thread thread_;
};

}  // namespace tltest
