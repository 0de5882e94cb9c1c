// Starting and waiting for real programs under Wine, checked by their exit codes, the processes left
// behind and the log lines of every step.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/windows/run_program.h"
#include "tests/support/recording_tools.h"
#include "tests/support/win_test_support.h"

namespace {

using ::testing::ElementsAreArray;
using ::testing::Matcher;
using ::testing::MatchesRegex;
using ::testing::Truly;

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

using LogMatchers = std::vector<Matcher<std::string>>;

// What RunProgram logs for a run that started; `waited` adds the waiting lines before the finish.
LogMatchers StartedRun(const TLString& program, const char* parameters, std::vector<const char*> waited, bool result) {
    LogMatchers lines = {"Start", "Filename: " + program.ToUtf8() + " / Parameters: " + parameters,
                         "Performing ShellExecute...", "Running process..."};
    for (const char* line : waited) lines.push_back(line);
    lines.push_back(MatchesRegex(std::string("Finish \\(result: ") + (result ? "1" : "0") + "\\) \\(\\d+ ms\\)"));
    return lines;
}

TEST_F(RunProgramTest, StartsWaitsAndLogsAsAskedOrFailsCleanly) {
    const TLString exit_with_code = Fixture(u"ExitWithCode.exe");
    const TLString never_ends = Fixture(u"NeverEnds.exe");
    const NeverEndsWitness never_ends_run;
    const std::string never_ends_parameter = never_ends_run.name().ToUtf8();
    tltest::ScratchFolder scratch;
    const TLString missing = scratch.Path(u"Missing.exe");
    const std::vector<const char*> ended = {"Waiting for completion", "Finished", "Done waiting"};
    const struct {
        const char* name;
        TLString program;
        TLStringArray parameters;
        bool visible, wait, pump;
        int timeout_ms;
        bool result;
        int exit_code;
        LogMatchers log;
    } cases[] = {
        {"exit code 0, shown",
         exit_with_code,
         {u"0"},
         true,
         true,
         false,
         0,
         true,
         0,
         StartedRun(exit_with_code, "0", ended, true)},
        {"exit code 7, hidden",
         exit_with_code,
         {u"7"},
         false,
         true,
         false,
         0,
         true,
         7,
         StartedRun(exit_with_code, "7", ended, true)},
        {"negative exit code, pumping",
         exit_with_code,
         {u"-3"},
         false,
         true,
         true,
         0,
         true,
         -3,
         StartedRun(exit_with_code, "-3", ended, true)},
        {"exit code 259 is not taken for still running",
         exit_with_code,
         {u"259"},
         true,
         true,
         true,
         0,
         true,
         259,
         StartedRun(exit_with_code, "259", ended, true)},
        {"parameters joined by blanks, not waited for",
         exit_with_code,
         {u"9", u"/Register", u"\"a b\""},
         false,
         false,
         false,
         0,
         true,
         -1,
         StartedRun(exit_with_code, "9 /Register \"a b\"", {}, true)},
        {"terminated when it outlives its timeout",
         never_ends,
         {never_ends_run.name()},
         false,
         true,
         false,
         5000,
         false,
         -1,
         StartedRun(never_ends, never_ends_parameter.c_str(), {"Waiting for completion", "Timeout", "Done waiting"},
                    false)},
        {"an empty path launches nothing",
         TLString(),
         {u"/x"},
         true,
         true,
         false,
         0,
         false,
         -1,
         {"Start", MatchesRegex("Finish \\(result: 0\\) \\(\\d+ ms\\)")}},
        {"a program the shell cannot start",
         missing,
         {u"/x"},
         false,
         true,
         false,
         0,
         false,
         -1,
         {"Start", "Filename: " + missing.ToUtf8() + " / Parameters: /x", "Performing ShellExecute...",
          // The shell's codes for a failed start are 32 and below.
          Truly([](const std::string& line) {
              int error = 0;
              return sscanf(line.c_str(), "Failed to start (error %d)", &error) == 1 && error <= 32;
          }),
          MatchesRegex("Finish \\(result: 0\\) \\(\\d+ ms\\)")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        tools_.Clear();
        int exit_code = 1234;
        EXPECT_EQ(tlwin::RunProgram(c.program, c.parameters, c.visible, c.wait, c.pump, &exit_code, c.timeout_ms),
                  c.result);
        EXPECT_EQ(exit_code, c.exit_code);
        EXPECT_THAT(tools_.Texts(u"RunProgram"), ElementsAreArray(c.log));
    }
    EXPECT_TRUE(never_ends_run.ProgramEnded());
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
    EXPECT_FALSE(tlwin::RunWithParameter(Fixture(u"NeverEnds.exe"), u"", false, false, nullptr, 600));
    EXPECT_EQ(MessageCounter::count(), 0);
    EXPECT_FALSE(tlwin::RunWithParameter(Fixture(u"NeverEnds.exe"), u"", false, true, nullptr, 300));
    EXPECT_EQ(MessageCounter::count(), 1);
}

}  // namespace
