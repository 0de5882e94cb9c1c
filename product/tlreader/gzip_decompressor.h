#pragma once
// One gzip stream decoded with zlib as its pieces arrive.

#include <zlib.h>

#include "core/tools/reader_interface.h"

namespace tlreader {

class CGzipDecompressor final : public tltools::IDecompressor {
public:
    CGzipDecompressor();
    ~CGzipDecompressor();

    int Decompress(const void* input, int input_size, int* consumed, void* output, int output_size) override;
    bool Finished() override { return finished_; }
    void Release() override { delete this; }

private:
    z_stream stream_ = {};
    bool ready_ = false;
    bool finished_ = false;
};

}  // namespace tlreader
