#pragma once
// The product's shell registration as lines of text: its file, playlist and package types, the
// application entry of the Open With list, the AutoPlay handlers and the verbs they invoke, and the
// browser and keyboard entries. template_lines.h says what a line holds and how it is expanded.

#include "core/string/tl_string_array.h"

namespace shell {

// The whole table in the order it is written. The "Applications\[LAUNCHERNAME]" lines are there only
// with a launcher; the AutoPlay action texts are in the user's language.
TLStringArray BuildTemplateTable(bool with_launcher);

}  // namespace shell
