#pragma once
// InstallContext: what one run works with, built once at startup and handed down to the wizard, its
// pages and the engine's steps. None of them fetches process-wide state of its own, so that a test can
// build the situation it needs. The run's progress is not part of it: the copy page reports progress
// itself and hands it to the steps it runs.

#include "core/process/tl_process_info_block.h"
#include "core/session/install_session.h"
#include "core/session/run_outcome.h"
#include "core/string/tl_string.h"
#include "core/tools/install_prompts.h"
#include "core/tools/tools_interface.h"
#include "engine/pending/pending_operations.h"

namespace engine {

struct InstallContext {
    // The switches, Install.xml's settings and the wizard's choices, with the destination folder.
    InstallSession& session;
    // The distribution folder (the installer's own), with a trailing backslash.
    TLString source_folder;
    // The product's facts; null when the tools library has none.
    tltools::IProductInfo* product_info = nullptr;
    // The process information block, with the installed product's folder; null when it could not be made.
    TLProcessInfoBlock* process_block = nullptr;
    // How the run ended: the pages note a failure or a restart the install needs.
    RunOutcome outcome{};
    // What the steps leave for finalization.
    PendingOperations& pending;
    // Every question and error report of the steps.
    tools::IInstallPrompts& prompts;
};

}  // namespace engine
