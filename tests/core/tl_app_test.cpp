// The application framework's order of calls, and what an executable does to the thread's OLE state.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <ole2.h>

#include "core/app/tl_app.h"

namespace {

class RecordingApp : public TLApp {
public:
    explicit RecordingApp(bool init_result) : init_result_(init_result) {}
    bool InitInstance() override {
        calls.push_back("InitInstance");
        return init_result_;
    }
    void ExitInstance() override { calls.push_back("ExitInstance"); }
    int Run() override {
        calls.push_back("Run");
        return 0;
    }

    std::vector<std::string> calls;

private:
    bool init_result_;
};

TEST(TLApp, RunsOnlyAfterASuccessfulInitAndAlwaysExits) {
    const struct {
        bool init_result;
        std::vector<std::string> calls;
    } cases[] = {
        {true, {"InitInstance", "Run", "ExitInstance"}},
        {false, {"InitInstance", "ExitInstance"}},
    };
    for (const auto& c : cases) {
        RecordingApp app(c.init_result);
        EXPECT_EQ(TLApp::Instance(), &app);
        EXPECT_EQ(app.WindowedEntry(GetModuleHandleW(nullptr), nullptr, SW_HIDE), 0);
        EXPECT_EQ(app.calls, c.calls);
        EXPECT_EQ(app.show_command(), SW_HIDE);
    }
    EXPECT_EQ(TLApp::Instance(), nullptr);
}

TEST(TLApp, LibraryEntryInitialisesOnTheFirstAttachAndExitsOnTheLastDetach) {
    RecordingApp app(true);
    HINSTANCE module = GetModuleHandleW(nullptr);
    app.LibraryEntry(module, DLL_PROCESS_ATTACH);
    app.LibraryEntry(module, DLL_PROCESS_ATTACH);
    EXPECT_EQ(app.calls, std::vector<std::string>{"InitInstance"});
    app.LibraryEntry(module, DLL_PROCESS_DETACH);
    EXPECT_EQ(app.calls, std::vector<std::string>{"InitInstance"});
    app.LibraryEntry(module, DLL_PROCESS_DETACH);
    EXPECT_EQ(app.calls, (std::vector<std::string>{"InitInstance", "ExitInstance"}));
    EXPECT_EQ(app.instance(), module);

    RecordingApp failing(false);
    failing.LibraryEntry(module, DLL_PROCESS_ATTACH);
    EXPECT_EQ(failing.calls, (std::vector<std::string>{"InitInstance", "ExitInstance"}));
}

// What the calling thread's COM state really is: a thread that OLE initialised refuses the
// multithreaded apartment; an uninitialised one accepts it (and is given back at once).
enum class ThreadCom { kNone, kOle };
ThreadCom CurrentThreadCom() {
    const HRESULT result = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (result == RPC_E_CHANGED_MODE) return ThreadCom::kOle;
    if (SUCCEEDED(result)) CoUninitialize();
    return result == S_OK ? ThreadCom::kNone : ThreadCom::kOle;
}

TEST(TLExecutableApp, LeavesTheThreadAsItFoundItHoweverOftenOleIsStartedAndEnded) {
    ASSERT_EQ(CurrentThreadCom(), ThreadCom::kNone);
    {
        TLExecutableApp app;
        app.InitOle();
        app.InitOle();  // must not count a second initialisation that one ExitOle would leave behind
        EXPECT_EQ(CurrentThreadCom(), ThreadCom::kOle);
        app.ExitOle();
        EXPECT_EQ(CurrentThreadCom(), ThreadCom::kNone);
        app.ExitOle();  // must not take back an initialisation that is not its own
        EXPECT_EQ(CurrentThreadCom(), ThreadCom::kNone);
        app.InitOle();
    }
    // Destroying the application ends what it started.
    EXPECT_EQ(CurrentThreadCom(), ThreadCom::kNone);
}

}  // namespace
