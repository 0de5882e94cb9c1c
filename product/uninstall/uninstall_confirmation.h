#pragma once
// The uninstaller's one question, drawn like the install wizard: remove the product, and with it the
// person's library and settings when they tick the box (left unticked, those stay).

#include "core/string/tl_string.h"

namespace uninstall {

// Stable control identifiers, for whoever drives the window (tests, screen readers).
inline constexpr int kQuestionLabelId = 0x3400;
inline constexpr int kRemoveUserDataCheckId = 0x3401;

// True when the person chose to uninstall; `remove_user_data` then says whether the box was ticked.
bool ConfirmUninstall(const TLString& product_name, bool* remove_user_data);

}  // namespace uninstall
