#include "engine/dependencies/body_transfer.h"

namespace engine {

TransferResult TransferBody(tltools::IReader& reader, int64_t length, IBodySink& sink,
                            const std::function<bool(int64_t received)>& before_block) {
    char block[kTransferBlock];
    TransferResult result;
    bool read_error = false;
    bool cancelled = false;
    for (;;) {
        if (!before_block(result.received)) {
            cancelled = true;
            break;
        }
        const int read = reader.Read(block, kTransferBlock);
        if (read < 0 || read > kTransferBlock) {
            read_error = true;
            break;
        }
        if (read == 0) break;
        result.received += read;
        // Bytes beyond the announced length are never written: the result is wrong either way.
        if (length >= 0 && result.received > length) break;
        if (!sink.Write(block, read)) {
            result.end = DownloadEnd::kWriteError;
            return result;
        }
    }
    result.end = JudgeTransfer(length, result.received, read_error, cancelled);
    return result;
}

bool GzipSink::Write(const char* data, int size) {
    char decoded[4 * kTransferBlock];
    while (!bad_data_) {
        int consumed = 0;
        const int produced = decompressor_.Decompress(data, size, &consumed, decoded, sizeof decoded);
        if (produced < 0) {
            bad_data_ = true;
            break;
        }
        if (produced > 0 && !target_.Write(decoded, produced)) return false;
        data += consumed;
        size -= consumed;
        // Done with this block once its input is taken and the decoder has nothing more to give.
        if (size == 0 && produced < static_cast<int>(sizeof decoded)) return true;
        // Input that the decoder will not take: bytes after the end of the stream.
        if (consumed == 0 && produced == 0) bad_data_ = true;
    }
    return false;
}

}  // namespace engine
