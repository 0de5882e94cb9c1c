#pragma once
// A block of named shared memory, mapped for reading and writing while the object lives.

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "core/string/tl_string.h"

class TLSharedMemory {
public:
    TLSharedMemory() = default;
    ~TLSharedMemory();
    TLSharedMemory(const TLSharedMemory&) = delete;
    TLSharedMemory& operator=(const TLSharedMemory&) = delete;

    // Creates the block or opens the one of that name; false when neither works.
    bool Open(const TLString& name, size_t size);
    uint8_t* data() const { return data_; }
    size_t size() const { return size_; }

private:
    HANDLE mapping_ = nullptr;
    uint8_t* data_ = nullptr;
    size_t size_ = 0;
};
