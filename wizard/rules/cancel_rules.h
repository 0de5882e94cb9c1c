#pragma once
// What the wizard says when someone asks to close it (the close box, Escape): before the
// installation it asks whether to cancel; from the copy-and-install page on it only says that it
// can no longer be cancelled.

#include "core/string/tl_string.h"

namespace wizard_rules {

struct CloseRequestMessage {
    TLString title;
    TLString text;
    bool asks_yes_no;  // false: an OK button only, and the wizard stays
};

// Texts translated, then the product name put in.
CloseRequestMessage CloseRequestMessageFor(int current_index, const TLString& product_name);

// Whether the answer given to that message cancels the wizard.
bool CloseRequestCancels(int current_index, bool answered_yes);

}  // namespace wizard_rules
