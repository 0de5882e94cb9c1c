#pragma once
// Downloads a dependency's set-up program from the product's download server into a file, with the
// bar on the copy page, Cancel read between blocks and an error text for every way it can fail. Only
// a complete download (every announced byte, and the expected SHA-256 when one is given) ends as a
// file; every failure leaves none.

#include "core/string/tl_string.h"
#include "engine/copy/install_progress.h"

namespace engine {

struct SetupDownload {
    TLString address;
    TLString target;
    // 64 hexadecimal digits, or empty when the product information gives none.
    TLString expected_sha256;
};

// True when the file is in place; otherwise `error_text` says why, translated.
bool DownloadSetupFile(const SetupDownload& download, IInstallProgress& progress, TLString& error_text);

}  // namespace engine
