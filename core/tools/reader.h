#pragma once
// Readers and the gzip decompressor from the product's reader library, loaded on first use into its
// module slot. Without the library, or when it offers no reader for the address, the result is empty
// and the caller reports the failure its own way.

#include <memory>

#include "core/string/tl_string.h"
#include "core/tools/reader_interface.h"

namespace tools {

struct ReaderRelease {
    void operator()(tltools::IReader* reader) const { reader->Release(); }
    void operator()(tltools::IDecompressor* decompressor) const { decompressor->Release(); }
};
using Reader = std::unique_ptr<tltools::IReader, ReaderRelease>;
using Decompressor = std::unique_ptr<tltools::IDecompressor, ReaderRelease>;

// An HTTP reader ("CreateInternetReaderDLL").
Reader CreateInternetReader(const TLString& address);
// A reader for local files and network addresses ("CreateGenericReaderDLL").
Reader CreateGenericReader(const TLString& address);
// A decoder of one gzip stream ("CreateGzipDecompressorDLL").
Decompressor CreateGzipDecompressor();

}  // namespace tools
