#pragma once
// Whether a program image (a DLL or EXE file in the PE format) exports a function of a given name,
// read from the file's bytes without loading it. Loading runs the module's start-up code; looking
// at its export table does not.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

namespace tlpe {

// Fills `out` with `size` bytes of the file from `offset`; false when the file holds fewer.
using ReadAt = std::function<bool(uint64_t offset, void* out, size_t size)>;

enum class ExportLookup {
    kFound,
    kMissing,     // a 64-bit image whose export table has no such name, or that has none
    kNotReadable  // not a 64-bit image, or one whose headers or tables do not hold together
};

// Looks the name up the way the Windows loader does: by binary search of the sorted name table.
ExportLookup FindExport(const ReadAt& read, std::string_view name);

}  // namespace tlpe
