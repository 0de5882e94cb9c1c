#pragma once
// The binary interface of the product's reader library (TLReader.dll): readers of one resource each,
// made by its exports "CreateInternetReaderDLL" (HTTP) and "CreateGenericReaderDLL" (local files and
// network addresses alike). Either may return null, for instance when the library has no HTTP client.

#include <cstdint>

#include "core/string/tl_string.h"

namespace tltools {

class IReader {
public:
    // Sends the request (or opens the file); false when that fails, with "StatusCode" and
    // "StatusText" telling why where the transport has them.
    virtual bool Open() = 0;
    // The length the resource announced; negative when unknown.
    virtual int64_t ContentLength() = 0;
    // Reads up to `size` bytes; the count read, 0 at the end, negative on an error.
    virtual int Read(void* buffer, int size) = 0;
    virtual void Close() = 0;
    // "StatusCode", "StatusText", "Location", "AllHeaders", "ContentEncoding", "Last-Modified";
    // empty when unknown.
    virtual TLString GetProperty(const TLString& name) = 0;
    // A header sent with the request ("If-Modified-Since", ...); before Open.
    virtual void SetRequestHeader(const TLString& name, const TLString& value) = 0;
    // Ends the caller's use of the reader.
    virtual void Release() = 0;

protected:
    ~IReader() = default;
};

// The signature of both exports; the address is a URL or a file path.
using CreateReaderFunction = IReader* (*)(const TLString& address);

}  // namespace tltools
