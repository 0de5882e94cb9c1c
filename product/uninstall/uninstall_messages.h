#pragma once
// The uninstaller's questions and reports: title and text translated part by part, then the
// product's name put in, so that translations never carry it. Each has the answer a silent run
// gives.

#include "core/string/tl_string.h"
#include "core/tools/install_prompts.h"

namespace uninstall {

enum class UninstallMessage {
    kConfirm,          // Yes/No: remove the product?
    kCloseRunning,     // Yes/No: close the running product first?
    kPleaseClose,      // it did not close: the person closes it, then presses OK
    kStillRunning,     // it is still running: nothing was removed
    kAlreadyRemoved,   // no install record: nothing to remove
    kRemoved,
    kRemovedAtRestart, // some files go at the next start
    kIncomplete,       // some changes could not be undone
};

tools::Prompt ComposeUninstallMessage(UninstallMessage message, const TLString& product_name);

}  // namespace uninstall
