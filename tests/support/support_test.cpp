// The test helpers that keep a test from hanging or leaving programs behind: the dialog answer, the
// debugger run and the job of started programs.
#include <gtest/gtest.h>

#include "tests/support/dialog_answer.h"
#include "tests/support/win_test_support.h"

namespace {

TLString Fixture() { return tltest::BuildPath(u"tests/support/SupportFixture.exe"); }

TEST(DialogAnswer, PressesTheNamedButtonAndKeepsTheText) {
    tltest::DialogAnswer answer(u"Answer me", u"No");
    EXPECT_EQ(MessageBoxW(nullptr, L"Shall we?", L"Answer me", MB_YESNO), IDNO);
    EXPECT_TRUE(answer.Answered());
    EXPECT_NE(answer.text().Find(u"Shall we?"), TLString::npos) << answer.text();
}

// A test whose box is not the one it expects fails instead of waiting inside the box for ever.
TEST(DialogAnswer, ClosesTheBoxWhenTheButtonOrTheTitleIsWrong) {
    {
        tltest::DialogAnswer answer(u"Answer me", u"Maybe");
        EXPECT_EQ(MessageBoxW(nullptr, L"Shall we?", L"Answer me", MB_YESNO), IDYES);
        EXPECT_FALSE(answer.Answered());
    }
    tltest::DialogAnswer answer(u"Answer me", u"OK", 2000);
    MessageBoxW(nullptr, L"Shall we?", L"Something else", MB_YESNO);
    EXPECT_FALSE(answer.Answered());
    EXPECT_TRUE(answer.text().empty());
}

// Its thread is joined when the test ends before the box came; what it tells then is that nothing was
// answered.
TEST(DialogAnswer, AnEarlyEndOfTheTestJoinsTheThread) {
    tltest::DialogAnswer answer(u"Never shown", u"OK");
    EXPECT_FALSE(answer.Answered());
    EXPECT_TRUE(answer.text().empty());
}

TEST(RunUnderDebugger, WaitsThroughAQuietSpellUntilTheProgramEnds) {
    const tltest::DebuggedRun run = tltest::RunUnderDebugger(Fixture(), u"talk 2500 after-the-silence");
    EXPECT_TRUE(run.result.finished);
    EXPECT_EQ(run.result.exit_code, 0u);
    ASSERT_EQ(run.debug_strings.GetCount(), 1u);
    EXPECT_EQ(run.debug_strings[0], u"after-the-silence");
}

// A program started by a program that is ended abruptly (as ctest ends a test at its time limit) ends
// with it. The mutex, taken by the grandchild, is abandoned the moment that one ends.
TEST(StartedProgram, WhatAnEndedTestStartedEndsWithIt) {
    const TLString name = TLString::Format(u"tltest-held-%d", static_cast<int>(GetCurrentProcessId()));
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, name.wc());
    const HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, (name + u" ready").wc());
    {
        tltest::StartedProgram starter(Fixture(), (u"start " + name).view());
        ASSERT_TRUE(starter.started());
        ASSERT_EQ(WaitForSingleObject(ready, 60000), WAIT_OBJECT_0);
    }
    EXPECT_EQ(WaitForSingleObject(mutex, 30000), WAIT_ABANDONED);
    CloseHandle(ready);
    CloseHandle(mutex);
}

}  // namespace
