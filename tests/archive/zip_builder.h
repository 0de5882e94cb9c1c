#pragma once
// Builds zip archives in memory for tests, including ones that lie about their content.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tltest {

struct ZipItem {
    ZipItem(std::string name, std::string content, bool deflate = true)
        : name(std::move(name)), content(std::move(content)), deflate(deflate) {}
    ZipItem& Utf8() { utf8 = true; return *this; }
    ZipItem& DeclaredSize(uint32_t size) { declared_size = size; return *this; }
    ZipItem& DeclaredCrc(uint32_t crc) { declared_crc = crc; return *this; }

    std::string name;  // bytes as stored
    std::string content;
    bool deflate = true;
    bool utf8 = false;
    std::optional<uint32_t> declared_size;  // in place of the content's true size, in both headers
    std::optional<uint32_t> declared_crc;
};

// The archive of the items in order: local headers with their content, the directory, the end record.
std::vector<uint8_t> BuildZip(const std::vector<ZipItem>& items);
std::string BuildZipText(const std::vector<ZipItem>& items);

}  // namespace tltest
