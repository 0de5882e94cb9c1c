// The download's decisions in plain code: how a transfer ended, whatever the reader does; the bar's
// arithmetic on large files; the texts the user reads; the SHA-256; which dependencies run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>

#include "engine/dependencies/body_transfer.h"
#include "engine/dependencies/dependency_rules.h"
#include "engine/dependencies/download_rules.h"
#include "engine/dependencies/sha256.h"

namespace {

using engine::DownloadEnd;

// A reader that hands out scripted read results: a byte count, or -1 for a broken connection.
class ScriptedReader final : public tltools::IReader {
public:
    explicit ScriptedReader(std::deque<int> reads) : reads_(std::move(reads)) {}
    bool Open() override { return true; }
    int64_t ContentLength() override { return -1; }
    int Read(void* buffer, int size) override {
        if (reads_.empty()) return 0;
        const int count = std::min(reads_.front(), size);
        reads_.pop_front();
        if (count > 0) std::memset(buffer, 'x', static_cast<size_t>(count));
        return count;
    }
    void Close() override {}
    TLString GetProperty(const TLString&) override { return TLString(); }
    void SetRequestHeader(const TLString&, const TLString&) override {}
    void SetRequestMethod(const TLString&, const void*, int) override {}
    void SetTimeout(int) override {}
    void Release() override {}

private:
    std::deque<int> reads_;
};

class StringSink final : public engine::IBodySink {
public:
    bool Write(const char* data, int size) override {
        if (written.size() + static_cast<size_t>(size) > room) return false;
        written.append(data, static_cast<size_t>(size));
        return true;
    }
    std::string written;
    size_t room = 1 << 20;
};

TEST(BodyTransfer, EndsAsTheBytesReceivedAndTheReaderSay) {
    const struct {
        const char* name;
        std::deque<int> reads;
        int64_t length;
        int cancel_after_blocks;  // -1: never
        size_t sink_room;
        DownloadEnd end;
        int64_t received;
        size_t written;
    } cases[] = {
        {"every announced byte", {4096, 4096, 1808}, 10000, -1, 1 << 20, DownloadEnd::kComplete, 10000, 10000},
        {"no length announced", {4096, 100}, -1, -1, 1 << 20, DownloadEnd::kComplete, 4196, 4196},
        {"connection closed half way", {4096, 904}, 10000, -1, 1 << 20, DownloadEnd::kTruncated, 5000, 5000},
        {"connection broken", {4096, -1}, 10000, -1, 1 << 20, DownloadEnd::kReadError, 4096, 4096},
        {"more than announced", {4096, 4096}, 5000, -1, 1 << 20, DownloadEnd::kTooLong, 8192, 4096},
        {"cancelled between blocks", {4096, 4096, 4096}, 12288, 1, 1 << 20, DownloadEnd::kCancelled, 4096, 4096},
        {"a cancel outweighs a short body", {100}, 10000, 1, 1 << 20, DownloadEnd::kCancelled, 100, 100},
        {"the disk is full", {4096, 4096}, 8192, -1, 5000, DownloadEnd::kWriteError, 8192, 4096},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedReader reader(c.reads);
        StringSink sink;
        sink.room = c.sink_room;
        int blocks = 0;
        const engine::TransferResult result = engine::TransferBody(reader, c.length, sink, [&](int64_t) {
            return c.cancel_after_blocks < 0 || blocks++ < c.cancel_after_blocks;
        });
        EXPECT_EQ(result.end, c.end);
        EXPECT_EQ(result.received, c.received);
        EXPECT_EQ(sink.written.size(), c.written);
    }
}

TEST(DownloadRules, ProgressStaysWithinTheBarForLargeFiles) {
    const int64_t mb = 1024 * 1024;
    const struct {
        int64_t done, length;
        int position;
    } cases[] = {
        {0, 0, 0},           {0, 100, 0},           {50, 100, 50},       {100, 100, 100},
        {30 * mb, 60 * mb, 50}, {21 * mb, 22 * mb, 95}, {5000 * mb, 5000 * mb, 100}, {4999 * mb, 5000 * mb, 99},
    };
    for (const auto& c : cases) EXPECT_EQ(engine::ProgressPosition(c.done, c.length), c.position) << c.done;
}

TEST(DownloadRules, ErrorTextsReadAsWritten) {
    const TLString address = u"http://download.example/d3dx943.exe";
    const struct {
        TLString text;
        const char* expected;
    } cases[] = {
        {engine::ReaderMissingText(address),
         "Failed to download from \nhttp://download.example/d3dx943.exe\nInternet reader not found."},
        {engine::ServerErrorText(address, u"404", u"Not Found"),
         "Failed to download from \nhttp://download.example/d3dx943.exe\nServer returned: 404 Not Found"},
        {engine::CreateFileErrorText(address, u"C:\\Support\\d3dx943.exe"),
         "Failed to download from \nhttp://download.example/d3dx943.exe\nCan not create file\n"
         "C:\\Support\\d3dx943.exe."},
        {engine::InternetErrorText(address),
         "Failed to download from \nhttp://download.example/d3dx943.exe\nInternet error."},
        {engine::TransferErrorText(DownloadEnd::kTruncated, address, u"C:\\x"),
         "Failed to download from \nhttp://download.example/d3dx943.exe\nInternet error."},
        {engine::TransferErrorText(DownloadEnd::kCancelled, address, u"C:\\x"),
         "Downloading of setup file was canceled."},
        {engine::TemporaryDownloadName(u"C:\\Temp\\", 1234), "C:\\Temp\\TL Download (1234).dat"},
        {engine::DownloadAddress(u"http://h/base", u"a.exe"), "http://h/base/a.exe"},
        {engine::DownloadAddress(u"http://h/base/", u"a.exe"), "http://h/base/a.exe"},
        {engine::LoadProgressText(true, 1536, 3 * 1024 * 1024), "Downloading 1.5 KB of 3.0 MB"},
        {engine::LoadProgressText(false, 10, 0), "Reading 10 bytes"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.text.ToUtf8(), c.expected);
}

TEST(Sha256, KnownDigestsWhateverThePiecesTheDataArrivesIn) {
    const std::string million(1000000, 'a');
    const struct {
        std::string data;
        const char* digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {million, "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& c : cases) {
        for (size_t piece : {size_t{1}, size_t{63}, size_t{4096}}) {
            engine::Sha256 hash;
            for (size_t at = 0; at < c.data.size(); at += piece)
                hash.Update(c.data.data() + at, std::min(piece, c.data.size() - at));
            EXPECT_EQ(hash.FinishHex(), c.digest) << c.data.size() << " in pieces of " << piece;
        }
    }
    EXPECT_TRUE(engine::Sha256Matches(u" BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD\r\n",
                                      "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
    EXPECT_FALSE(engine::Sha256Matches(u"ba7816bf", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
}

TEST(DependencyRules, WhichDependenciesRun) {
    using engine::Dependency;
    const struct {
        bool no_dependencies, portable, directx;
        std::vector<Dependency> plan;
    } cases[] = {
        {false, false, true, {Dependency::kDirectX, Dependency::kBundledMedia}},
        {false, false, false, {Dependency::kBundledMedia}},
        {true, false, true, {}},
        {false, true, true, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(engine::PlanDependencies(c.no_dependencies, c.portable, c.directx), c.plan)
            << c.no_dependencies << c.portable << c.directx;

    const struct {
        uint32_t os;
        bool present, needed;
    } directx[] = {{1000, false, false}, {1005, false, false}, {1006, false, true},
                   {1012, false, true},  {1012, true, false},  {0, false, true}};
    for (const auto& c : directx) EXPECT_EQ(engine::DirectXSetupNeeded(c.os, c.present), c.needed) << c.os;
}

}  // namespace
