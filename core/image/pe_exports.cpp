#include "core/image/pe_exports.h"

#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace tlpe {
namespace {

constexpr uint16_t kPe32PlusMagic = 0x20b;
constexpr size_t kFileHeaderSize = 20;
constexpr size_t kSectionHeaderSize = 40;
// Beyond these a table is taken for damage, not read.
constexpr uint32_t kMostSections = 96;
constexpr uint32_t kMostNames = 1u << 20;
constexpr size_t kLongestName = 4096;

template <typename T>
std::optional<T> ReadValue(const ReadAt& read, uint64_t offset) {
    T value{};
    if (!read(offset, &value, sizeof value)) return std::nullopt;
    return value;
}

struct Section {
    uint32_t virtual_address = 0;
    uint32_t virtual_size = 0;
    uint32_t raw_size = 0;
    uint32_t raw_offset = 0;
};

class Image {
public:
    explicit Image(const ReadAt& read) : read_(read) {}

    // Reads the headers; true for a 64-bit image. `export_rva` is 0 when it has no export table.
    bool Open(uint32_t& export_rva) {
        char mz[2];
        const auto header_offset = ReadValue<uint32_t>(read_, 0x3C);
        if (!read_(0, mz, 2) || std::memcmp(mz, "MZ", 2) != 0 || !header_offset) return false;
        char pe[4];
        if (!read_(*header_offset, pe, 4) || std::memcmp(pe, "PE\0\0", 4) != 0) return false;
        const uint64_t file_header = *header_offset + 4ull;
        const auto section_count = ReadValue<uint16_t>(read_, file_header + 2);
        const auto optional_size = ReadValue<uint16_t>(read_, file_header + 16);
        const uint64_t optional = file_header + kFileHeaderSize;
        const auto magic = ReadValue<uint16_t>(read_, optional);
        if (!section_count || !optional_size || !magic || *magic != kPe32PlusMagic) return false;
        if (*section_count > kMostSections) return false;
        // The data directories follow 112 bytes of the 64-bit optional header; the export table is
        // the first of them.
        const auto directory_count = ReadValue<uint32_t>(read_, optional + 108);
        if (!directory_count) return false;
        export_rva = 0;
        if (*directory_count > 0 && *optional_size >= 112 + 8) {
            const auto rva = ReadValue<uint32_t>(read_, optional + 112);
            if (!rva) return false;
            export_rva = *rva;
        }
        sections_.resize(*section_count);
        const uint64_t table = optional + *optional_size;
        for (uint32_t i = 0; i < *section_count; ++i) {
            uint32_t fields[4];
            if (!read_(table + i * kSectionHeaderSize + 8, fields, sizeof fields)) return false;
            sections_[i] = {fields[1], fields[0], fields[2], fields[3]};
        }
        return true;
    }

    // The file offset of an address in the mapped image, within the section's bytes in the file.
    std::optional<uint64_t> OffsetOf(uint64_t rva) const {
        for (const Section& section : sections_) {
            if (rva < section.virtual_address) continue;
            const uint64_t into = rva - section.virtual_address;
            if (into < section.raw_size) return uint64_t{section.raw_offset} + into;
        }
        return std::nullopt;
    }

    template <typename T>
    std::optional<T> ValueAt(uint64_t rva) const {
        const auto offset = OffsetOf(rva);
        if (!offset) return std::nullopt;
        return ReadValue<T>(read_, *offset);
    }

    // The name at an address, compared with `name`: <0, 0 or >0 as strcmp; nullopt when unreadable.
    std::optional<int> CompareNameAt(uint64_t rva, std::string_view name) const {
        const auto offset = OffsetOf(rva);
        if (!offset) return std::nullopt;
        // One byte more than the name, to tell "DllRegisterServer" from "DllRegisterServerEx".
        std::string stored(name.size() + 1, '\0');
        if (!ReadPrefix(*offset, stored)) return std::nullopt;
        const size_t end = stored.find('\0');
        return std::string_view(stored).substr(0, end).compare(name);
    }

private:
    // Reads up to stored.size() bytes; a name ending close to the end of the file reads shorter.
    bool ReadPrefix(uint64_t offset, std::string& stored) const {
        for (size_t length = stored.size(); length > 0; --length) {
            if (read_(offset, stored.data(), length)) {
                stored.resize(length);
                return true;
            }
        }
        return false;
    }

    const ReadAt& read_;
    std::vector<Section> sections_;
};

}  // namespace

ExportLookup FindExport(const ReadAt& read, std::string_view name) {
    if (name.empty() || name.size() > kLongestName) return ExportLookup::kNotReadable;
    Image image(read);
    uint32_t export_rva = 0;
    if (!image.Open(export_rva)) return ExportLookup::kNotReadable;
    if (export_rva == 0) return ExportLookup::kMissing;
    const auto name_count = image.ValueAt<uint32_t>(uint64_t{export_rva} + 24);
    const auto names = image.ValueAt<uint32_t>(uint64_t{export_rva} + 32);
    if (!name_count || !names || *name_count > kMostNames) return ExportLookup::kNotReadable;
    uint32_t low = 0, high = *name_count;
    while (low < high) {
        const uint32_t middle = low + (high - low) / 2;
        const auto name_rva = image.ValueAt<uint32_t>(uint64_t{*names} + uint64_t{middle} * 4);
        if (!name_rva) return ExportLookup::kNotReadable;
        const auto order = image.CompareNameAt(*name_rva, name);
        if (!order) return ExportLookup::kNotReadable;
        if (*order == 0) return ExportLookup::kFound;
        if (*order < 0)
            low = middle + 1;
        else
            high = middle;
    }
    return ExportLookup::kMissing;
}

}  // namespace tlpe
