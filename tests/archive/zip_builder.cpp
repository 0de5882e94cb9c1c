#include "tests/archive/zip_builder.h"

#include <zlib.h>

namespace tltest {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::string RawDeflate(const std::string& content) {
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, content.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
    stream.avail_in = static_cast<uInt>(content.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

}  // namespace

std::vector<uint8_t> BuildZip(const std::vector<ZipItem>& items) {
    std::vector<uint8_t> out, directory;
    for (const ZipItem& item : items) {
        const std::string packed = item.deflate ? RawDeflate(item.content) : item.content;
        const uint32_t crc = item.declared_crc.value_or(static_cast<uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(item.content.data()), static_cast<uInt>(item.content.size()))));
        const uint32_t size = item.declared_size.value_or(static_cast<uint32_t>(item.content.size()));
        const uint32_t offset = static_cast<uint32_t>(out.size());
        const uint16_t flags = item.utf8 ? 0x0800 : 0;
        const uint16_t method = item.deflate ? 8 : 0;

        Put32(out, 0x04034b50);
        Put16(out, 20);
        Put16(out, flags);
        Put16(out, method);
        Put32(out, 0);  // time and date
        Put32(out, crc);
        Put32(out, static_cast<uint32_t>(packed.size()));
        Put32(out, size);
        Put16(out, static_cast<uint32_t>(item.name.size()));
        Put16(out, 0);
        out.insert(out.end(), item.name.begin(), item.name.end());
        out.insert(out.end(), packed.begin(), packed.end());

        Put32(directory, 0x02014b50);
        Put16(directory, 20);
        Put16(directory, 20);
        Put16(directory, flags);
        Put16(directory, method);
        Put32(directory, 0);
        Put32(directory, crc);
        Put32(directory, static_cast<uint32_t>(packed.size()));
        Put32(directory, size);
        Put16(directory, static_cast<uint32_t>(item.name.size()));
        Put16(directory, 0);  // extra
        Put16(directory, 0);  // comment
        Put16(directory, 0);  // disk
        Put16(directory, 0);  // internal attributes
        Put32(directory, 0);  // external attributes
        Put32(directory, offset);
        directory.insert(directory.end(), item.name.begin(), item.name.end());
    }
    const uint32_t directory_offset = static_cast<uint32_t>(out.size());
    out.insert(out.end(), directory.begin(), directory.end());
    Put32(out, 0x06054b50);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<uint32_t>(items.size()));
    Put16(out, static_cast<uint32_t>(items.size()));
    Put32(out, static_cast<uint32_t>(directory.size()));
    Put32(out, directory_offset);
    Put16(out, 0);
    return out;
}

std::string BuildZipText(const std::vector<ZipItem>& items) {
    const std::vector<uint8_t> bytes = BuildZip(items);
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace tltest
