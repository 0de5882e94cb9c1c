#pragma once
// The documents the XML benchmarks time: files that Debian ships, one of them repeated to tens of
// megabytes, and a generated package list. Each is held as UTF-8 bytes (the native input of pugixml
// and RapidXML) and as the UTF-16 text the installer's document works on.

#include <string>
#include <vector>

#include "core/string/tl_string.h"

namespace tlbench {

struct BenchDocument {
    std::string name;
    std::string utf8;
    TLString text;
};

// The documents whose files are present; a missing file is named on the error output and left out.
std::vector<BenchDocument> LoadBenchDocuments();

// A package list: many small elements with attributes, text with entities, CDATA sections, and a
// single element named "Late" near the end.
std::string GeneratePackageList(int packages);

}  // namespace tlbench
