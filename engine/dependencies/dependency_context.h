#pragma once
// What the dependency step works with, handed in by the copy page: where set-up files are found and
// fetched, where the product goes, the machine facts the rules ask about, and the error text of the
// last download.

#include <cstdint>
#include <functional>

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"
#include "engine/copy/install_progress.h"
#include "engine/pending/pending_operations.h"

namespace engine {

struct DependencyContext {
    DependencyContext(IInstallProgress& progress_sink, PendingOperations& pending_operations)
        : progress(progress_sink), pending(pending_operations) {}

    IInstallProgress& progress;
    PendingOperations& pending;
    // Searched in order for set-up files; a download goes into the first (each ends in a backslash).
    TLStringArray support_folders;
    // The download server's base address (product information item 15); empty: no downloads.
    TLString download_base;
    // The expected SHA-256 of a set-up file by its name; empty when none is known.
    std::function<TLString(const TLString& file_name)> expected_sha256;
    // The destination folder, with its trailing backslash.
    TLString destination;
    TLString bundled_media_folder;
    // Windows' system folder, with its trailing backslash, and the OS code of the running Windows.
    TLString system_folder;
    uint32_t os_code = 0;
    // The last download's error, translated; empty while none failed.
    TLString error_text;
};

}  // namespace engine
