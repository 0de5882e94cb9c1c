// The application framework's order of calls, and the OLE state an executable keeps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(TLExecutableApp, KeepsItsOleState) {
    TLExecutableApp app;
    EXPECT_EQ(app.ole_state(), TLExecutableApp::kOleNone);
    app.InitOle();
    EXPECT_EQ(app.ole_state(), TLExecutableApp::kOleInitialised);
    app.InitOle();
    EXPECT_EQ(app.ole_state(), TLExecutableApp::kOleInitialised);
    app.ExitOle();
    EXPECT_EQ(app.ole_state(), TLExecutableApp::kOleNone);
    app.ExitOle();
    EXPECT_EQ(app.ole_state(), TLExecutableApp::kOleNone);
}

}  // namespace
