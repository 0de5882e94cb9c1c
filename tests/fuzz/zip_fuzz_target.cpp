// libFuzzer target: arbitrary bytes as a zip archive. Opening and unpacking every entry must never
// hand on more than an entry declares nor more than the limits allow, and every name an extraction
// would accept must stay below its folder.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/archive/zip_reader.h"
#include "core/path/relative_path.h"
#include "fuzz_require.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tlzip::CZipReader reader;
    const tlzip::ZipLimits limits{.max_entries = 64, .max_total_size = 1 << 20};
    const auto read = [&](uint64_t offset, void* out, size_t length) {
        if (offset > size || size - offset < length) return false;
        if (length) std::memcpy(out, data + offset, length);
        return true;
    };
    if (reader.Open(read, size, limits) != tlzip::ZipResult::kOk) return 0;
    Require(reader.Entries().size() <= limits.max_entries, "no more entries than the limit");
    uint64_t declared = 0, written = 0;
    for (const tlzip::ZipEntry& entry : reader.Entries()) {
        declared += entry.size;
        Require(entry.data_offset + entry.packed_size <= size, "content inside the archive");
        uint64_t entry_written = 0;
        const tlzip::ZipResult result = reader.Extract(entry, [&](const void*, size_t length) {
            entry_written += length;
            return true;
        });
        Require(entry_written <= entry.size, "never more than the declared size");
        Require(result != tlzip::ZipResult::kOk || entry_written == entry.size, "complete when accepted");
        written += entry_written;

        std::vector<TLString> names;
        if (tlpath::SplitRelativePath(entry.name, names))
            for (const TLString& name : names) Require(name != u".." && name.view().find(u':') == std::u16string_view::npos,
                                                       "accepted names stay below the folder");
    }
    Require(declared <= limits.max_total_size && written <= declared, "within the total limit");
    return 0;
}
