#pragma once
// A strict reader of zip archives: the central directory is the only index trusted, every entry's
// local header must agree with it, entries may not overlap, and an entry is unpacked only to exactly
// the size it declares, with its checksum verified. Stored and deflated entries are read; encrypted,
// multi-part and zip64 archives are refused. The declared sizes of all entries together are bounded
// before anything is unpacked, so an archive cannot expand beyond the limit it was opened with.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/string/tl_string.h"

namespace tlzip {

// Fills `out` with `size` bytes of the archive from `offset`; false when it holds fewer.
using ReadAt = std::function<bool(uint64_t offset, void* out, size_t size)>;
// Takes the next piece of an entry's content; false stops the unpacking.
using Write = std::function<bool(const void* data, size_t size)>;

enum class ZipResult {
    kOk,
    kNotAnArchive,  // no end record of a central directory
    kMalformed,     // records that do not hold together or point outside the archive
    kUnsupported,   // encryption, a compression other than stored or deflate, zip64, several parts
    kTooLarge,      // more entries or more declared content than the limits allow
    kDamaged,       // content that does not inflate to its declared size and checksum
    kWriteFailed,   // the writer refused a piece
};

struct ZipLimits {
    uint32_t max_entries = 65535;
    uint64_t max_total_size = uint64_t{4} << 30;  // all entries' declared sizes together
};

struct ZipEntry {
    TLString name;  // as stored, "/" separators; UTF-8 when marked so, otherwise code page 437
    bool folder = false;
    uint16_t method = 0;
    uint32_t crc = 0;
    uint64_t packed_size = 0;
    uint64_t size = 0;
    uint64_t data_offset = 0;  // of the content, after the local header
};

class CZipReader {
public:
    // Reads and checks the directory of an archive of `archive_size` bytes.
    ZipResult Open(ReadAt read, uint64_t archive_size, const ZipLimits& limits = {});
    const std::vector<ZipEntry>& Entries() const { return entries_; }
    // Unpacks one entry into `write`, never handing on more than its declared size.
    ZipResult Extract(const ZipEntry& entry, const Write& write) const;

private:
    ZipResult ReadDirectory(uint64_t directory_offset, uint64_t directory_size, uint32_t count,
                            const ZipLimits& limits);

    ReadAt read_;
    std::vector<ZipEntry> entries_;
};

}  // namespace tlzip
