#pragma once
// Clears the install folder and the product's settings of what earlier versions left behind, before
// the new program files are copied.

#include "core/string/tl_string.h"
#include "engine/pending/pending_operations.h"

namespace engine {

struct CleaningRequest {
    TLString install_folder;          // ends in a backslash
    bool holds_product = false;       // the folder already holds this product (see HoldsProduct)
    bool clean_data_folders = false;  // the product asks for "Data", "Skins" and "Stores" to go
    TLString configured_obsolete;     // ";"-separated, as the product information gives it
};

// The built-in obsolete list, the settings, the data folders, the staging folder and the finalize
// list of an earlier run, then the configured obsolete list. Folder trees and files are touched only
// in a folder that holds the product; the settings are the product's in any case.
void CleanInstallationDirectory(const CleaningRequest& request, PendingOperations& pending);

// Unregisters an obsolete COM server and deletes the file; what cannot be deleted now is recorded
// ("_DELETEFILE|path") to be deleted at the next start. A missing file is passed over.
void DeleteObsoleteFile(const TLString& path, PendingOperations& pending);

}  // namespace engine
