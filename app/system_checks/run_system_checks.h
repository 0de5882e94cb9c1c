#pragma once
// The system checks that run before the wizard, in their fixed order: rights, a running copy, the
// product's service, the browser component, the processor, Windows. The first that fails tells the
// user (except after a No to closing the running copy) and ends the run.

#include "app/system_checks/system_check_host.h"
#include "core/tools/install_prompts.h"

namespace syschecks {

struct CheckSettings {
    bool silent = false;
    ProductNames names;
    TLString minimum_browser_version;
};

// True when every check passed and the wizard may open.
bool RunSystemChecks(SystemCheckHost& host, const CheckSettings& settings);

// The checks on this machine, with the session's switches and the product information. Their
// messages are questions of `prompts`; with `nobody_answers` the browser component dialog, which is
// no message box, is passed over with "Quit Setup" as well.
bool RunSystemChecks(tools::IInstallPrompts& prompts, bool nobody_answers);

}  // namespace syschecks
