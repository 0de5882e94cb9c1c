#include "core/archive/zip_reader.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <string>

namespace tlzip {
namespace {

constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint32_t kDirectorySignature = 0x02014b50;
constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr size_t kEndSize = 22;
constexpr size_t kDirectoryHeaderSize = 46;
constexpr size_t kLocalHeaderSize = 30;
constexpr size_t kMaxComment = 0xFFFF;
constexpr uint16_t kFlagEncrypted = 0x0001;
constexpr uint16_t kFlagStrongEncryption = 0x0040;
constexpr uint16_t kFlagUtf8 = 0x0800;
constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflate = 8;
constexpr size_t kChunk = 64 * 1024;

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) { return U16(p) | static_cast<uint32_t>(U16(p + 2)) << 16; }

// Code page 437 above 127, the code page zip tools used for names before the UTF-8 flag.
constexpr std::u16string_view kCodePage437High =
    u"ÇüéâäàåçêëèïîìÄÅÉæÆôöòûùÿÖÜ¢£¥₧ƒáíóúñÑªº¿⌐¬½¼¡«»░▒▓│┤╡╢╖╕╣║╗╝╜╛┐└┴┬├─┼╞╟╚╔╩╦╠═╬╧╨╤╥╙╘╒╓╫╪┘┌█▄▌▐▀"
    u"αßΓπΣσµτΦΘΩδ∞φε∩≡±≥≤⌠⌡÷≈°∙·√ⁿ²■\u00A0";
static_assert(kCodePage437High.size() == 128);

TLString DecodeName(const std::string& raw, bool utf8) {
    if (utf8) return TLString::FromUtf8(raw);
    std::u16string text;
    text.reserve(raw.size());
    for (unsigned char c : raw) text += c < 128 ? static_cast<char16_t>(c) : kCodePage437High[c - 128];
    return TLString(std::u16string_view(text));
}

}  // namespace

ZipResult CZipReader::Open(ReadAt read, uint64_t archive_size, const ZipLimits& limits) {
    read_ = std::move(read);
    entries_.clear();
    if (archive_size < kEndSize) return ZipResult::kNotAnArchive;

    // The end record lies in the last 22 bytes plus at most a full comment; its comment must reach
    // exactly to the end of the archive, so that a signature inside the comment is not taken for it.
    const uint64_t tail_size = std::min<uint64_t>(archive_size, kEndSize + kMaxComment);
    std::vector<uint8_t> tail(static_cast<size_t>(tail_size));
    if (!read_(archive_size - tail_size, tail.data(), tail.size())) return ZipResult::kMalformed;
    for (size_t at = tail.size() - kEndSize + 1; at-- > 0;) {
        const uint8_t* end = tail.data() + at;
        if (U32(end) != kEndSignature || U16(end + 20) != tail.size() - at - kEndSize) continue;
        const uint16_t disk = U16(end + 4), directory_disk = U16(end + 6);
        const uint16_t count_here = U16(end + 8), count = U16(end + 10);
        const uint32_t directory_size = U32(end + 12), directory_offset = U32(end + 16);
        if (count == 0xFFFF || directory_size == 0xFFFFFFFF || directory_offset == 0xFFFFFFFF)
            return ZipResult::kUnsupported;  // zip64
        if (disk != 0 || directory_disk != 0 || count_here != count) return ZipResult::kUnsupported;
        const uint64_t end_offset = archive_size - tail.size() + at;
        if (uint64_t{directory_offset} + directory_size > end_offset) return ZipResult::kMalformed;
        if (count > limits.max_entries) return ZipResult::kTooLarge;
        const ZipResult result = ReadDirectory(directory_offset, directory_size, count, limits);
        if (result != ZipResult::kOk) entries_.clear();
        return result;
    }
    return ZipResult::kNotAnArchive;
}

ZipResult CZipReader::ReadDirectory(uint64_t directory_offset, uint64_t directory_size, uint32_t count,
                                    const ZipLimits& limits) {
    std::vector<uint8_t> directory(static_cast<size_t>(directory_size));
    if (!read_(directory_offset, directory.data(), directory.size())) return ZipResult::kMalformed;
    struct Span {
        uint64_t start, end;
    };
    std::vector<Span> spans;
    spans.reserve(count);
    uint64_t total = 0;
    size_t at = 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (directory.size() - at < kDirectoryHeaderSize) return ZipResult::kMalformed;
        const uint8_t* header = directory.data() + at;
        if (U32(header) != kDirectorySignature) return ZipResult::kMalformed;
        const uint16_t flags = U16(header + 8);
        ZipEntry entry;
        entry.method = U16(header + 10);
        entry.crc = U32(header + 16);
        entry.packed_size = U32(header + 20);
        entry.size = U32(header + 24);
        const size_t name_length = U16(header + 28);
        const size_t variable = name_length + U16(header + 30) + U16(header + 32);
        const uint16_t disk = U16(header + 34);
        const uint32_t header_offset = U32(header + 42);
        if (directory.size() - at - kDirectoryHeaderSize < variable) return ZipResult::kMalformed;
        if (flags & (kFlagEncrypted | kFlagStrongEncryption)) return ZipResult::kUnsupported;
        if (entry.method != kMethodStored && entry.method != kMethodDeflate) return ZipResult::kUnsupported;
        if (entry.packed_size == 0xFFFFFFFF || entry.size == 0xFFFFFFFF || header_offset == 0xFFFFFFFF)
            return ZipResult::kUnsupported;
        if (disk != 0) return ZipResult::kUnsupported;
        if (entry.method == kMethodStored && entry.packed_size != entry.size) return ZipResult::kMalformed;
        if (name_length == 0) return ZipResult::kMalformed;
        const std::string raw_name(reinterpret_cast<const char*>(header + kDirectoryHeaderSize), name_length);
        if (raw_name.find('\0') != std::string::npos) return ZipResult::kMalformed;
        entry.name = DecodeName(raw_name, flags & kFlagUtf8);
        entry.folder = raw_name.back() == '/' || raw_name.back() == '\\';
        if (entry.folder && entry.size != 0) return ZipResult::kMalformed;

        total += entry.size;
        if (total > limits.max_total_size) return ZipResult::kTooLarge;

        std::vector<uint8_t> local(kLocalHeaderSize + name_length);
        if (header_offset > directory_offset || !read_(header_offset, local.data(), local.size()))
            return ZipResult::kMalformed;
        if (U32(local.data()) != kLocalSignature) return ZipResult::kMalformed;
        if (std::string(reinterpret_cast<const char*>(local.data() + kLocalHeaderSize), name_length) != raw_name)
            return ZipResult::kMalformed;
        entry.data_offset = uint64_t{header_offset} + kLocalHeaderSize + name_length + U16(local.data() + 28);
        // Content must lie before the directory, so that no entry is read out of the index itself.
        if (entry.data_offset + entry.packed_size > directory_offset) return ZipResult::kMalformed;
        spans.push_back({header_offset, entry.data_offset + entry.packed_size});
        entries_.push_back(std::move(entry));
        at += kDirectoryHeaderSize + variable;
    }
    if (at != directory.size()) return ZipResult::kMalformed;

    // Entries that share their bytes let a small archive claim the same content many times over.
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.start < b.start; });
    for (size_t i = 1; i < spans.size(); ++i)
        if (spans[i].start < spans[i - 1].end) return ZipResult::kMalformed;
    return ZipResult::kOk;
}

ZipResult CZipReader::Extract(const ZipEntry& entry, const Write& write) const {
    std::vector<uint8_t> input(kChunk);
    uint64_t offset = entry.data_offset;
    uint64_t packed_left = entry.packed_size;
    uLong crc = crc32(0, nullptr, 0);

    if (entry.method == kMethodStored) {
        while (packed_left > 0) {
            const size_t piece = static_cast<size_t>(std::min<uint64_t>(packed_left, kChunk));
            if (!read_(offset, input.data(), piece)) return ZipResult::kDamaged;
            crc = crc32(crc, input.data(), static_cast<uInt>(piece));
            if (!write(input.data(), piece)) return ZipResult::kWriteFailed;
            offset += piece;
            packed_left -= piece;
        }
        return crc == entry.crc ? ZipResult::kOk : ZipResult::kDamaged;
    }

    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return ZipResult::kDamaged;
    std::vector<uint8_t> output(kChunk);
    uint64_t size_left = entry.size;
    ZipResult result = ZipResult::kDamaged;
    for (;;) {
        if (stream.avail_in == 0 && packed_left > 0) {
            const size_t piece = static_cast<size_t>(std::min<uint64_t>(packed_left, kChunk));
            if (!read_(offset, input.data(), piece)) break;
            offset += piece;
            packed_left -= piece;
            stream.next_in = input.data();
            stream.avail_in = static_cast<uInt>(piece);
        }
        // Never more room than the declared size still allows, plus one byte to notice an overrun.
        const size_t room = static_cast<size_t>(std::min<uint64_t>(size_left + 1, kChunk));
        stream.next_out = output.data();
        stream.avail_out = static_cast<uInt>(room);
        const int status = inflate(&stream, Z_NO_FLUSH);
        const size_t produced = room - stream.avail_out;
        if (produced > size_left) break;
        if (produced > 0) {
            crc = crc32(crc, output.data(), static_cast<uInt>(produced));
            if (!write(output.data(), produced)) {
                result = ZipResult::kWriteFailed;
                break;
            }
            size_left -= produced;
        }
        if (status == Z_STREAM_END) {
            const bool exact = size_left == 0 && packed_left == 0 && stream.avail_in == 0 && crc == entry.crc;
            result = exact ? ZipResult::kOk : ZipResult::kDamaged;
            break;
        }
        if (status == Z_BUF_ERROR && produced == 0 && stream.avail_in == 0 && packed_left == 0) break;
        if (status != Z_OK && status != Z_BUF_ERROR) break;
    }
    inflateEnd(&stream);
    return result;
}

}  // namespace tlzip
