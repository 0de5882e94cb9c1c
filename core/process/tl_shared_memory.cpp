#include "core/process/tl_shared_memory.h"

TLSharedMemory::~TLSharedMemory() {
    if (data_) UnmapViewOfFile(data_);
    if (mapping_) CloseHandle(mapping_);
}

bool TLSharedMemory::Open(const TLString& name, size_t size) {
    mapping_ =
        CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(size), name.wc());
    if (!mapping_) return false;
    data_ = static_cast<uint8_t*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, size));
    if (!data_) {
        CloseHandle(mapping_);
        mapping_ = nullptr;
        return false;
    }
    size_ = size;
    return true;
}
