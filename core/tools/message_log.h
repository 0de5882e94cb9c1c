#pragma once
// Every message box goes into the log with its title, its text and the answer it got, so that a log
// that ends at a box says which box and why.

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"

namespace tools {

// "OK", "Yes", "No", "Cancel", or the named button's text for kResultFirstNamed + its index.
TLString AnswerName(int answer, const TLStringArray* named_buttons);

// "\"<title>\": <text> -> \"<answer>\"", the text's line breaks shown as single spaces so that the
// box stays one line of the log.
TLString DescribeMessageBox(const TLString& title, const TLString& text, int answer,
                            const TLStringArray* named_buttons);

// Logs a box that was shown and answered by the person.
void LogMessageBox(const TLString& title, const TLString& text, int answer, const TLStringArray* named_buttons);

}  // namespace tools
