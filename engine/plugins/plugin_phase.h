#pragma once
// The copy page's step 2: the shell extension registered, the add-on packages of the support folders
// installed (or staged for the next start when they cannot complete now), the WDM audio driver
// installed or removed, or for the media-server edition the server installed as a service.

#include "core/string/tl_string_array.h"
#include "core/tools/install_prompts.h"
#include "engine/copy/install_progress.h"
#include "engine/pending/pending_operations.h"
#include "engine/plugins/plugin_step_rules.h"

namespace engine {

struct PluginPhaseContext {
    PluginPhaseContext(IInstallProgress& progress, tools::IInstallPrompts& prompts, PendingOperations& pending)
        : progress(progress), prompts(prompts), pending(pending) {}

    IInstallProgress& progress;
    tools::IInstallPrompts& prompts;
    PendingOperations& pending;
    TLString source_folder;        // the distribution folder, with its trailing backslash
    TLString destination;          // the install folder, with its trailing backslash
    TLStringArray support_folders;  // each with its trailing backslash, searched in order
    DriverFacts driver;
    bool silent = false;  // nobody is there: packages are installed without questions
    bool media_server_edition = false;
    bool shell_integration_enabled = false;  // "General - Enable Shell Integration"
};

// The package files (".qvp") below the folders, each folder searched with its subfolders, in order.
TLStringArray FindPackageFiles(const TLStringArray& folders);

void RunPluginPhase(PluginPhaseContext& context);

}  // namespace engine
