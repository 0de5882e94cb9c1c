#include "product/tlreader/gzip_decompressor.h"

namespace tlreader {

// 16 above the window size: zlib expects the gzip wrapper and checks its CRC.
CGzipDecompressor::CGzipDecompressor() : ready_(inflateInit2(&stream_, 16 + MAX_WBITS) == Z_OK) {}

CGzipDecompressor::~CGzipDecompressor() {
    if (ready_) inflateEnd(&stream_);
}

int CGzipDecompressor::Decompress(const void* input, int input_size, int* consumed, void* output, int output_size) {
    *consumed = 0;
    if (!ready_ || input_size < 0 || output_size <= 0) return -1;
    if (finished_) return 0;
    stream_.next_in = static_cast<Bytef*>(const_cast<void*>(input));
    stream_.avail_in = static_cast<uInt>(input_size);
    stream_.next_out = static_cast<Bytef*>(output);
    stream_.avail_out = static_cast<uInt>(output_size);
    const int result = inflate(&stream_, Z_NO_FLUSH);
    *consumed = input_size - static_cast<int>(stream_.avail_in);
    if (result == Z_STREAM_END) finished_ = true;
    else if (result != Z_OK && result != Z_BUF_ERROR) return -1;
    return output_size - static_cast<int>(stream_.avail_out);
}

}  // namespace tlreader
