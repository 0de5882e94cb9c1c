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
    bool real_file;  // a file as it was read, not generated or repeated
};

// The documents whose files are present, then the files named in `extra_files`; a missing file is
// named on the error output and left out.
std::vector<BenchDocument> LoadBenchDocuments(const std::vector<std::string>& extra_files);

// A package list: many small elements with attributes, text with entities, CDATA sections, and a
// single element named "Late" near the end.
std::string GeneratePackageList(int packages);

// A message catalogue whose text is almost all Cyrillic and Chinese: UTF-8 of two and three bytes a
// letter, with ASCII only in the markup.
std::string GenerateCatalogue(int messages);

}  // namespace tlbench
