#pragma once
// The body of one download, read block by block from a reader into a sink. A transfer that stops
// early, breaks, runs past its announced length or is cancelled says so; nothing here decides what
// happens to what was written.

#include <cstdint>
#include <functional>

#include "core/tools/reader_interface.h"
#include "engine/dependencies/download_rules.h"

namespace engine {

class IBodySink {
public:
    // False when the data cannot be taken (a full disk, data that does not decode).
    virtual bool Write(const char* data, int size) = 0;

protected:
    ~IBodySink() = default;
};

struct TransferResult {
    DownloadEnd end = DownloadEnd::kComplete;
    int64_t received = 0;
};

inline constexpr int kTransferBlock = 4096;

// Reads until the reader's end. `before_block` runs before every read with the bytes received so far
// (it dispatches window messages and moves the bar) and returns false to cancel. `length` is the
// announced length, negative when none was announced.
TransferResult TransferBody(tltools::IReader& reader, int64_t length, IBodySink& sink,
                            const std::function<bool(int64_t received)>& before_block);

// Decodes a gzip body on its way into another sink.
class GzipSink final : public IBodySink {
public:
    GzipSink(tltools::IDecompressor& decompressor, IBodySink& target) : decompressor_(decompressor), target_(target) {}
    bool Write(const char* data, int size) override;
    // Whether the stream decoded to its end without a fault.
    bool Complete() const { return !bad_data_ && decompressor_.Finished(); }
    bool bad_data() const { return bad_data_; }

private:
    tltools::IDecompressor& decompressor_;
    IBodySink& target_;
    bool bad_data_ = false;
};

}  // namespace engine
