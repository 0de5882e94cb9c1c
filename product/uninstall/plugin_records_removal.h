#pragma once
// The product's settings keep, for each registered player plug-in, the record sections its
// registration wrote ("Plugins\Uninstall\<file name>"). Once the uninstall has removed a plug-in's
// library, those records name nothing: they go, while the rest of the settings stays the person's.

#include <functional>

#include "core/string/tl_string.h"

namespace uninstall {

// Deletes the records of every plug-in whose library `library_gone` says the uninstall removed.
void RemoveRecordsOfGonePlugins(const std::function<bool(const TLString& library)>& library_gone);

}  // namespace uninstall
