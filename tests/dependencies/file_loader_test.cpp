// The loader and the download object over real HTTP: gzip bodies arrive decoded, a cached copy is
// asked for with If-Modified-Since and kept on "304", failures leave no file and give their result
// codes, and a cancel ends a slow download from the downloading thread or from another without
// hanging.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "engine/dependencies/download_rules.h"
#include "engine/dependencies/file_loader.h"
#include "engine/dependencies/internet_helper.h"
#include "tests/dependencies/dependency_test_support.h"

namespace {

using engine::CFileLoader;
using engine::CInternetHelper;

class RecordingWindow final : public engine::ILoadProgress {
public:
    void Show(const TLString& title, const TLString& text) override {
        shown_title = title.ToUtf8();
        shown_text = text.ToUtf8();
    }
    void Update(const TLString& text, int position) override {
        last_text = text.ToUtf8();
        EXPECT_GE(position, 0);
        EXPECT_LE(position, 100);
        if (on_update) on_update();
    }
    void Hide() override { hidden = true; }
    bool CancelRequested() override { return false; }

    std::string shown_title, shown_text, last_text;
    bool hidden = false;
    std::function<void()> on_update;
};

class Loader : public ::testing::Test {
protected:
    TLString Target(const char16_t* name) { return served_.scratch().Path(u"Loaded\\") + name; }
    tltest::ServedFiles served_;
};

TEST_F(Loader, AGzipBodyArrivesDecoded) {
    CFileLoader loader;
    EXPECT_EQ(loader.Load(served_.server().Address(u"gzip/data.bin"), Target(u"data.bin")), CFileLoader::Result::kLoaded);
    EXPECT_TRUE(tltest::ReadFileBytes(Target(u"data.bin")) == served_.data_bytes());
    EXPECT_EQ(loader.Property(u"StatusCode").ToUtf8(), "200");
}

TEST_F(Loader, ACachedCopyIsAskedForAgainOnlyWhenNewer) {
    CFileLoader loader;
    loader.SetOption(u"USE_CACHE", u"1");
    const TLString address = served_.server().Address(u"files/data.bin");
    ASSERT_EQ(loader.Load(address, Target(u"data.bin")), CFileLoader::Result::kLoaded);
    EXPECT_EQ(loader.Load(address, Target(u"data.bin")), CFileLoader::Result::kNotModified);
    EXPECT_EQ(loader.Property(u"StatusCode").ToUtf8(), "304");
    EXPECT_TRUE(tltest::ReadFileBytes(Target(u"data.bin")) == served_.data_bytes());
    const std::vector<std::string> requests = served_.server().Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0], "GET /files/data.bin");
    EXPECT_EQ(requests[1].rfind("GET /files/data.bin If-Modified-Since: ", 0), 0u) << requests[1];
}

TEST_F(Loader, ProgressWindowWaitsForItsDelay) {
    for (const bool delayed : {true, false}) {
        RecordingWindow window;
        CInternetHelper helper;
        helper.SetProgressWindow(&window);
        TLString target = Target(u"data.bin");
        EXPECT_EQ(helper.Download(served_.server().Address(u"files/data.bin"), target, CInternetHelper::kReplaceTarget,
                                  delayed),
                  CInternetHelper::kSuccess);
        // A quick download never reaches the four seconds of the delayed window.
        EXPECT_EQ(window.shown_title, delayed ? "" : "Corvane Download");
        EXPECT_EQ(window.hidden, !delayed);
        if (!delayed) {
            EXPECT_EQ(window.shown_text, "Internet resource");
            EXPECT_EQ(window.last_text.rfind("Downloading ", 0), 0u) << window.last_text;
        }
    }
}

TEST_F(Loader, ResultCodesAndTargets) {
    CInternetHelper helper;
    TLString temporary;
    EXPECT_EQ(helper.Download(served_.server().Address(u"files/data.bin"), temporary, CInternetHelper::kKeepTarget),
              CInternetHelper::kSuccess);
    EXPECT_TRUE(temporary.EndsWith(TLString::Format(u"\\TL Download (%d).dat", static_cast<int64_t>(GetCurrentThreadId()))))
        << temporary.ToUtf8();
    EXPECT_TRUE(tltest::ReadFileBytes(temporary) == served_.data_bytes());
    DeleteFileW(temporary.wc());

    for (const char16_t* path : {u"status/404/data.bin", u"cut/data.bin"}) {
        SCOPED_TRACE(TLString(path).ToUtf8());
        // The target that was there before goes in mode 1 whatever the download's end.
        ASSERT_TRUE(served_.scratch().WriteFile(u"Loaded\\old.bin", "old"));
        TLString target = Target(u"old.bin");
        EXPECT_EQ(helper.Download(served_.server().Address(path), target, CInternetHelper::kReplaceTarget),
                  CInternetHelper::kFailed);
        EXPECT_TRUE(target.empty());
        EXPECT_FALSE(tltest::FileExists(Target(u"old.bin")));
        EXPECT_FALSE(tltest::FileExists(Target(u"old.bin.download")));
    }

    TLString text;
    EXPECT_EQ(helper.DownloadText(served_.server().Address(u"files/data.bin"), text), CInternetHelper::kSuccess);
    EXPECT_TRUE(text.ToUtf8() == served_.data_bytes());
    std::string buffer;
    EXPECT_EQ(helper.DownloadBuffer(served_.server().Address(u"gzip/data.bin"), buffer), CInternetHelper::kSuccess);
    EXPECT_TRUE(buffer == served_.data_bytes());
}

// The wizard's Cancel arrives on the downloading thread, from a window message dispatched between
// two blocks: it must return at once (the download is below it on the stack), and the download then
// ends as cancelled.
TEST_F(Loader, CancelOnTheDownloadingThreadReturnsAtOnce) {
    RecordingWindow window;
    CInternetHelper helper;
    helper.SetProgressWindow(&window);
    int updates = 0;
    window.on_update = [&] {
        // A second load of the same loader, from a message dispatched during the first, is refused.
        if (updates == 0) {
            EXPECT_EQ(helper.loader().Load(served_.server().Address(u"files/data.bin"), Target(u"other.bin")),
                      CFileLoader::Result::kBusy);
        }
        if (updates++ == 2) helper.Cancel();
    };
    TLString target = Target(u"slow.bin");
    EXPECT_EQ(helper.Download(served_.server().Address(u"slow/data.bin"), target, CInternetHelper::kReplaceTarget,
                              false),
              CInternetHelper::kCancelled);
    EXPECT_TRUE(target.empty());
    EXPECT_FALSE(tltest::FileExists(Target(u"slow.bin")));
    EXPECT_FALSE(tltest::FileExists(Target(u"slow.bin.download")));
}

TEST_F(Loader, CancelFromAnotherThreadEndsTheDownload) {
    CInternetHelper helper;
    std::atomic<bool> cancelled{false};
    std::thread canceller([&] {
        // Waits for the download to be under way, then cancels it and waits for its end.
        const ULONGLONG start = GetTickCount64();
        while (!helper.loader().busy() && GetTickCount64() - start < 30000) Sleep(5);
        Sleep(200);
        helper.Cancel();
        cancelled = true;
    });
    TLString target = Target(u"slow.bin");
    const int result = helper.Download(served_.server().Address(u"slow/data.bin"), target,
                                       CInternetHelper::kReplaceTarget, true);
    canceller.join();
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(result, CInternetHelper::kCancelled);
    EXPECT_FALSE(tltest::FileExists(Target(u"slow.bin")));
    EXPECT_FALSE(tltest::FileExists(Target(u"slow.bin.download")));
}

}  // namespace
