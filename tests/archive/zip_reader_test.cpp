// The strict zip reader against archives made in memory, honest ones and ones that lie.

#include <gtest/gtest.h>

#include <cstring>

#include "core/archive/zip_reader.h"
#include "tests/archive/zip_builder.h"

namespace {

using tltest::BuildZip;
using tltest::ZipItem;
using tlzip::ZipResult;

struct OpenArchive {
    explicit OpenArchive(std::vector<uint8_t> archive) : bytes(std::move(archive)) {}
    std::vector<uint8_t> bytes;
    tlzip::CZipReader reader;
    ZipResult Open(const tlzip::ZipLimits& limits = {}) {
        return reader.Open(
            [this](uint64_t offset, void* out, size_t size) {
                if (offset > bytes.size() || bytes.size() - offset < size) return false;
                std::memcpy(out, bytes.data() + offset, size);
                return true;
            },
            bytes.size(), limits);
    }
    // Unpacks an entry, keeping what the writer was handed even when the entry fails.
    ZipResult Extract(size_t index, std::string& content) {
        content.clear();
        return reader.Extract(reader.Entries().at(index), [&](const void* data, size_t size) {
            content.append(static_cast<const char*>(data), size);
            return true;
        });
    }
};

TEST(ZipReader, ReadsStoredAndDeflatedEntriesWithTheirFolders) {
    const std::string big(200000, 'x');  // more than one piece of input and output
    OpenArchive archive{BuildZip({{"skin/", ""},
                                  {"skin/main.xml", "<QVMS/>", false},
                                  {"skin/images/big.bin", big},
                                  ZipItem("caf\xC3\xA9.txt", "utf8").Utf8(),
                                  {"caf\x82.txt", "cp437"}})};
    ASSERT_EQ(archive.Open(), ZipResult::kOk);
    const auto& entries = archive.reader.Entries();
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_TRUE(entries[0].folder);
    EXPECT_EQ(entries[1].name, u"skin/main.xml");
    EXPECT_EQ(entries[3].name, u"café.txt");
    EXPECT_EQ(entries[4].name, u"café.txt");

    std::string content;
    EXPECT_EQ(archive.Extract(1, content), ZipResult::kOk);
    EXPECT_EQ(content, "<QVMS/>");
    EXPECT_EQ(archive.Extract(2, content), ZipResult::kOk);
    EXPECT_EQ(content, big);
}

TEST(ZipReader, ContentThatDiffersFromItsDeclarationFailsWithinTheDeclaredSize) {
    struct Case {
        const char* what;
        ZipItem item;
    };
    const std::string megabyte(1 << 20, '\0');
    const Case cases[] = {
        {"expands beyond its declared size", ZipItem("bomb.bin", megabyte).DeclaredSize(1000)},
        {"claims more than it holds", ZipItem("short.bin", "abc").DeclaredSize(5000)},
        {"stored, claims more than it holds", ZipItem("short.bin", "abc", false).DeclaredSize(4)},
        {"wrong checksum", ZipItem("a.txt", "hello").DeclaredCrc(1234)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OpenArchive archive{BuildZip({c.item})};
        if (archive.Open() != ZipResult::kOk) continue;  // refused before unpacking is as good
        std::string content;
        EXPECT_EQ(archive.Extract(0, content), ZipResult::kDamaged);
        EXPECT_LE(content.size(), archive.reader.Entries()[0].size);
    }
}

TEST(ZipReader, LimitsAreCheckedBeforeAnythingIsUnpacked) {
    OpenArchive archive{BuildZip({ZipItem("a.bin", "a").DeclaredSize(600), ZipItem("b.bin", "b").DeclaredSize(600)})};
    EXPECT_EQ(archive.Open({.max_entries = 10, .max_total_size = 1000}), ZipResult::kTooLarge);
    EXPECT_TRUE(archive.reader.Entries().empty());
    EXPECT_EQ(archive.Open({.max_entries = 1, .max_total_size = 10000}), ZipResult::kTooLarge);
}

// Byte offsets in an archive of one entry named "a.txt" with stored content "hello".
constexpr size_t kLocalName = 30;
constexpr size_t kDirectory = kLocalName + 5 + 5;
constexpr size_t kDirectoryFlags = kDirectory + 8;
constexpr size_t kDirectoryMethod = kDirectory + 10;

TEST(ZipReader, ArchivesThatDoNotHoldTogetherAreRefused) {
    const std::vector<uint8_t> good = BuildZip({{"a.txt", "hello", false}});
    struct Case {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> spoil;
        ZipResult expected;
    };
    const Case cases[] = {
        {"not an archive", [](auto& b) { b.assign(100, 'x'); }, ZipResult::kNotAnArchive},
        {"cut short", [](auto& b) { b.erase(b.begin(), b.begin() + 10); }, ZipResult::kMalformed},
        {"encrypted", [](auto& b) { b[kDirectoryFlags] |= 1; }, ZipResult::kUnsupported},
        {"unknown method", [](auto& b) { b[kDirectoryMethod] = 14; }, ZipResult::kUnsupported},
        {"local name differs", [](auto& b) { b[kLocalName] = 'b'; }, ZipResult::kMalformed},
        {"local header missing", [](auto& b) { b[0] = 0; }, ZipResult::kMalformed},
        {"trailing bytes after the end record", [](auto& b) { b.push_back(0); }, ZipResult::kNotAnArchive},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OpenArchive archive{good};
        c.spoil(archive.bytes);
        EXPECT_EQ(archive.Open(), c.expected);
        EXPECT_TRUE(archive.reader.Entries().empty());
    }
}

TEST(ZipReader, EntriesSharingTheirContentAreRefused) {
    // Two directory records that point at the same local header: the second record is a copy of the
    // first under the same name, so each would pass its own checks.
    std::vector<uint8_t> bytes = BuildZip({{"a.txt", "hello", false}, {"a.txt", "hello", false}});
    const size_t directory = 2 * kDirectory;  // two local headers with their content
    const size_t second_record = directory + 46 + 5;
    bytes[second_record + 42] = 0;  // local header offset of the second record: 0, the first entry's
    OpenArchive archive{bytes};
    EXPECT_EQ(archive.Open(), ZipResult::kMalformed);
}

}  // namespace
