// Export lookups in program images made byte by byte: one section holding the export directory, its
// sorted name table and the names, as a linker lays them out.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/image/pe_exports.h"

namespace {

using tlpe::ExportLookup;

constexpr uint32_t kHeader = 0x40, kSectionRva = 0x1000, kSectionOffset = 0x200;

struct ImageShape {
    std::vector<std::string> names;
    uint16_t magic = 0x20b;
    bool export_table = true;
    uint32_t name_count_override = 0;
    uint32_t name_rva_override = 0;
};

template <typename T>
void Put(std::vector<uint8_t>& bytes, size_t offset, T value) {
    if (bytes.size() < offset + sizeof value) bytes.resize(offset + sizeof value);
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

std::vector<uint8_t> MakeImage(const ImageShape& shape) {
    std::vector<uint8_t> bytes(kSectionOffset);
    bytes[0] = 'M', bytes[1] = 'Z';
    Put<uint32_t>(bytes, 0x3C, kHeader);
    std::memcpy(bytes.data() + kHeader, "PE\0\0", 4);
    const size_t file_header = kHeader + 4, optional = file_header + 20;
    Put<uint16_t>(bytes, file_header + 2, 1);     // sections
    Put<uint16_t>(bytes, file_header + 16, 240);  // optional header size
    Put<uint16_t>(bytes, optional, shape.magic);
    Put<uint32_t>(bytes, optional + 108, 16);  // data directories
    Put<uint32_t>(bytes, optional + 112, shape.export_table ? kSectionRva : 0);

    // The section: the export directory, the name table, then the names.
    std::vector<uint8_t> section(40);
    const uint32_t names_rva = kSectionRva + 40;
    Put<uint32_t>(section, 24,
                  shape.name_count_override ? shape.name_count_override : static_cast<uint32_t>(shape.names.size()));
    Put<uint32_t>(section, 32, names_rva);
    uint32_t text = 40 + static_cast<uint32_t>(shape.names.size()) * 4;
    for (size_t i = 0; i < shape.names.size(); ++i) {
        const uint32_t rva = shape.name_rva_override ? shape.name_rva_override : kSectionRva + text;
        Put<uint32_t>(section, 40 + i * 4, rva);
        section.resize(text + shape.names[i].size() + 1);
        std::memcpy(section.data() + text, shape.names[i].c_str(), shape.names[i].size() + 1);
        text += static_cast<uint32_t>(shape.names[i].size() + 1);
    }
    const size_t table = optional + 240;
    Put<uint32_t>(bytes, table + 8, static_cast<uint32_t>(section.size()));  // virtual size
    Put<uint32_t>(bytes, table + 12, kSectionRva);
    Put<uint32_t>(bytes, table + 16, static_cast<uint32_t>(section.size()));  // size in the file
    Put<uint32_t>(bytes, table + 20, kSectionOffset);
    bytes.insert(bytes.end(), section.begin(), section.end());
    return bytes;
}

ExportLookup Find(const std::vector<uint8_t>& bytes, std::string_view name) {
    return tlpe::FindExport(
        [&](uint64_t offset, void* out, size_t size) {
            if (offset > bytes.size() || size > bytes.size() - offset) return false;
            std::memcpy(out, bytes.data() + offset, size);
            return true;
        },
        name);
}

const std::vector<std::string> kComServer = {"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer",
                                             "DllUnregisterServer"};

TEST(PeExports, FindsEveryNameOfTheSortedTableAndNoOtherName) {
    const auto image = MakeImage({kComServer});
    for (const std::string& name : kComServer) EXPECT_EQ(Find(image, name), ExportLookup::kFound) << name;
    // Longer, shorter and in-between names are not taken for their neighbours.
    for (const char* name : {"DllRegisterServerEx", "DllRegister", "Dll", "A", "Zeta", "DllInstall"})
        EXPECT_EQ(Find(image, name), ExportLookup::kMissing) << name;
}

TEST(PeExports, AnImageWithoutExportsLacksTheName) {
    EXPECT_EQ(Find(MakeImage({{}, 0x20b, false}), "DllRegisterServer"), ExportLookup::kMissing);
    EXPECT_EQ(Find(MakeImage({{}}), "DllRegisterServer"), ExportLookup::kMissing);
}

// Whatever cannot be read with certainty is left for the loader to judge.
TEST(PeExports, DamagedOrForeignImagesAreNotReadable) {
    auto truncated = MakeImage({kComServer});
    truncated.resize(kSectionOffset + 44);
    auto not_mz = MakeImage({kComServer});
    not_mz[0] = 'X';
    auto no_pe = MakeImage({kComServer});
    no_pe[kHeader] = 'X';
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"empty file", {}},
        {"text", std::vector<uint8_t>(300, 'a')},
        {"no MZ", not_mz},
        {"no PE signature", no_pe},
        {"32-bit image", MakeImage({kComServer, 0x10b})},
        {"name table past the end", truncated},
        {"names outside every section", MakeImage({kComServer, 0x20b, true, 0, 0x90000})},
        {"name count beyond reason", MakeImage({kComServer, 0x20b, true, 0xFFFFFFFF})},
    };
    for (const auto& c : cases) EXPECT_EQ(Find(c.bytes, "DllRegisterServer"), ExportLookup::kNotReadable) << c.what;
}

}  // namespace
