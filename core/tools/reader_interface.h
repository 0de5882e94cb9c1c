#pragma once
// The binary interface of the product's reader library (TLReader.dll): readers of one resource each,
// made by its exports "CreateInternetReaderDLL" (HTTP) and "CreateGenericReaderDLL" (local files and
// network addresses alike), and the gzip decompressor of "CreateGzipDecompressorDLL". Any of them
// may return null, for instance when the library has no HTTP client.

#include <cstdint>

#include "core/string/tl_string.h"

namespace tltools {

class IReader {
public:
    // Sends the request (or opens the file); false when that fails, with "StatusCode" and
    // "StatusText" telling why where the transport has them. A "304" answer to a conditional request
    // opens with no body.
    virtual bool Open() = 0;
    // The length the resource announced; negative when unknown.
    virtual int64_t ContentLength() = 0;
    // Reads up to `size` bytes; the count read, 0 at the end, negative on an error (a connection that
    // broke, a closed reader).
    virtual int Read(void* buffer, int size) = 0;
    // Ends the transfer. Safe at any time, also while another thread waits in Read, which then
    // returns an error.
    virtual void Close() = 0;
    // "StatusCode", "StatusText", "Location" (the address finally read, after redirects),
    // "AllHeaders", "ContentEncoding", "Last-Modified"; empty when unknown.
    virtual TLString GetProperty(const TLString& name) = 0;
    // A header sent with the request ("If-Modified-Since", ...); before Open.
    virtual void SetRequestHeader(const TLString& name, const TLString& value) = 0;
    // The request's method ("GET" unless set) and the data it carries; before Open. The data is
    // copied.
    virtual void SetRequestMethod(const TLString& method, const void* data, int length) = 0;
    // How long the transport may wait for the server at each step; before Open.
    virtual void SetTimeout(int milliseconds) = 0;
    // Ends the caller's use of the reader.
    virtual void Release() = 0;

protected:
    ~IReader() = default;
};

// The signature of both reader exports; the address is a URL or a file path.
using CreateReaderFunction = IReader* (*)(const TLString& address);

// A gzip stream decoded piece by piece, as its blocks arrive.
class IDecompressor {
public:
    // Decodes from `input` into `output`: returns the bytes written (0 when more input is needed or
    // the stream has ended) or -1 when the data is no valid gzip; `*consumed` is the input taken.
    // Call again with the rest of the input until it is all consumed and nothing more comes out.
    virtual int Decompress(const void* input, int input_size, int* consumed, void* output, int output_size) = 0;
    // Whether the whole stream, with its check sum, has been decoded.
    virtual bool Finished() = 0;
    virtual void Release() = 0;

protected:
    ~IDecompressor() = default;
};

using CreateDecompressorFunction = IDecompressor* (*)();

}  // namespace tltools
