// Starting and waiting for real programs under Wine, checked by their exit codes, the processes left
// behind and the log lines of every step.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

#include "engine/process/run_program.h"
#include "tests/support/recording_tools.h"
#include "tests/support/win_test_support.h"

namespace {

using ::testing::ElementsAre;
using ::testing::MatchesRegex;

TLString Fixture(std::u16string_view name) { return tltest::BuildPath(u"tests/engine/fixtures/") + name; }

// A mutex that NeverEnds.exe, given its name, takes and keeps until it ends: abandoned, it shows through
// the test's own handle that this run of the program happened and has ended (a program's name would
// also find other runs of it).
class NeverEndsWitness {
public:
    NeverEndsWitness()
        : name_(TLString::Format(u"tltest-NeverEnds-%d", static_cast<int>(GetCurrentProcessId()))),
          mutex_(CreateMutexW(nullptr, FALSE, name_.wc())) {}
    ~NeverEndsWitness() { CloseHandle(mutex_); }
    NeverEndsWitness(const NeverEndsWitness&) = delete;
    NeverEndsWitness& operator=(const NeverEndsWitness&) = delete;

    const TLString& name() const { return name_; }
    bool ProgramEnded() const { return WaitForSingleObject(mutex_, 30000) == WAIT_ABANDONED; }

private:
    TLString name_;
    HANDLE mutex_;
};

class RunProgramTest : public ::testing::Test {
protected:
    tltest::RecordingTools tools_;
};

TEST_F(RunProgramTest, ReturnsTheExitCodeOfTheProgram) {
    const struct {
        const char16_t* code;
        int expected;
        bool visible;
        bool pump;
    } cases[] = {{u"0", 0, true, false}, {u"7", 7, false, false}, {u"-3", -3, false, true}, {u"259", 259, true, true}};
    for (const auto& c : cases) {
        int exit_code = 1234;
        EXPECT_TRUE(tlproc::RunProgram(Fixture(u"ExitWithCode.exe"), TLStringArray{c.code}, c.visible, true, c.pump,
                                       &exit_code, 0))
            << TLString(c.code);
        EXPECT_EQ(exit_code, c.expected);
    }
}

TEST_F(RunProgramTest, LogsEveryStepOfARunThatIsWaitedFor) {
    const TLString program = Fixture(u"ExitWithCode.exe");
    EXPECT_TRUE(tlproc::RunWithParameter(program, u"5", false, false, nullptr, 0));
    EXPECT_THAT(tools_.Texts(u"RunProgram"),
                ElementsAre("Start", "Filename: " + program.ToUtf8() + " / Parameters: 5", "Performing ShellExecute...",
                            "Running process...", "Waiting for completion", "Finished", "Done waiting",
                            MatchesRegex("Finish \\(result: 1\\) \\(\\d+ ms\\)")));
}

TEST_F(RunProgramTest, JoinsParametersWithBlanksAndNeedNotWait) {
    int exit_code = 0;
    const TLString program = Fixture(u"ExitWithCode.exe");
    EXPECT_TRUE(
        tlproc::RunProgram(program, TLStringArray{u"9", u"/Register", u"\"a b\""}, false, false, false, &exit_code, 0));
    EXPECT_EQ(exit_code, -1);
    EXPECT_THAT(tools_.Texts(u"RunProgram"),
                ElementsAre("Start", "Filename: " + program.ToUtf8() + " / Parameters: 9 /Register \"a b\"",
                            "Performing ShellExecute...", "Running process...",
                            MatchesRegex("Finish \\(result: 1\\) \\(\\d+ ms\\)")));
}

TEST_F(RunProgramTest, TerminatesAProgramThatOutlivesItsTimeout) {
    const NeverEndsWitness run;
    int exit_code = 0;
    EXPECT_FALSE(tlproc::RunWithParameter(Fixture(u"NeverEnds.exe"), run.name(), false, false, &exit_code, 5000));
    EXPECT_EQ(exit_code, -1);
    EXPECT_TRUE(run.ProgramEnded());
    EXPECT_THAT(tools_.Texts(u"RunProgram"),
                ElementsAre("Start", MatchesRegex("Filename: .*NeverEnds.exe / Parameters: tltest-NeverEnds-.*"),
                            "Performing ShellExecute...", "Running process...", "Waiting for completion", "Timeout",
                            "Done waiting", MatchesRegex("Finish \\(result: 0\\) \\(\\d+ ms\\)")));
}

TEST_F(RunProgramTest, AnEmptyPathLaunchesNothing) {
    int exit_code = 0;
    EXPECT_FALSE(tlproc::RunProgram(TLString(), TLStringArray{u"/x"}, true, true, false, &exit_code, 0));
    EXPECT_EQ(exit_code, -1);
    EXPECT_THAT(tools_.Texts(u"RunProgram"),
                ElementsAre("Start", MatchesRegex("Finish \\(result: 0\\) \\(\\d+ ms\\)")));
}

TEST_F(RunProgramTest, LogsAProgramTheShellCannotStart) {
    tltest::ScratchFolder scratch;
    int exit_code = 0;
    EXPECT_FALSE(tlproc::RunWithParameter(scratch.Path(u"Missing.exe"), u"/x", false, false, &exit_code, 0));
    EXPECT_EQ(exit_code, -1);
    const auto texts = tools_.Texts(u"RunProgram");
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[2], "Performing ShellExecute...");
    int error = 0;
    ASSERT_EQ(sscanf(texts[3].c_str(), "Failed to start (error %d)", &error), 1) << texts[3];
    EXPECT_LE(error, 32);
}

// Counts the messages a window of the test's thread receives.
class MessageCounter {
public:
    MessageCounter() {
        WNDCLASSW window_class = {};
        window_class.lpfnWndProc = &Procedure;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.lpszClassName = L"TonehallTestMessageCounter";
        RegisterClassW(&window_class);
        window_ = CreateWindowExW(0, window_class.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  window_class.hInstance, nullptr);
        count_ = 0;
    }
    ~MessageCounter() { DestroyWindow(window_); }
    bool Post() const { return PostMessageW(window_, kMessage, 0, 0); }
    static int count() { return count_; }

private:
    static constexpr UINT kMessage = WM_APP + 1;
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
        if (message == kMessage) ++count_;
        return DefWindowProcW(window, message, w, l);
    }
    static inline int count_ = 0;
    HWND window_ = nullptr;
};

TEST_F(RunProgramTest, DispatchesTheThreadsMessagesOnlyWhenPumping) {
    MessageCounter counter;
    ASSERT_TRUE(counter.Post());
    EXPECT_FALSE(tlproc::RunWithParameter(Fixture(u"NeverEnds.exe"), u"", false, false, nullptr, 600));
    EXPECT_EQ(MessageCounter::count(), 0);
    EXPECT_FALSE(tlproc::RunWithParameter(Fixture(u"NeverEnds.exe"), u"", false, true, nullptr, 300));
    EXPECT_EQ(MessageCounter::count(), 1);
}

TEST(IsRegistrable, LooksForServerExtensionsInTheirLetterCase) {
    const struct {
        const char16_t* path;
        bool registrable;
    } cases[] = {{u"C:\\p\\codec.dll", true},  {u"C:\\p\\control.ocx", true}, {u"C:\\p\\filter.ax", true},
                 {u"C:\\p\\CODEC.DLL", false}, {u"C:\\p\\player.exe", false}, {u"C:\\p\\notes.txt", false}};
    for (const auto& c : cases) EXPECT_EQ(tlproc::IsRegistrable(c.path), c.registrable) << TLString(c.path);
}

}  // namespace
