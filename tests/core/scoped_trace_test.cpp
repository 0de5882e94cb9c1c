// The scoped trace's start and finish lines, with and without a stored result.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/tools/scoped_trace.h"
#include "tests/support/recording_tools.h"

namespace {

using ::testing::ElementsAre;
using ::testing::MatchesRegex;

TEST(ScopedTrace, LogsStartAndFinishUnderTheOperationsName) {
    tltest::RecordingTools tools;
    { TLScopedTrace trace(u"Plain"); }
    {
        TLScopedTrace trace(u"WithResult");
        trace.SetResult(-7);
    }
    {
        TLScopedTrace trace(u"ResultTakenBack");
        trace.SetResult(3);
        trace.SetResult(TLScopedTrace::kNoResult);
    }
    EXPECT_THAT(tools.Lines(),
                ElementsAre("Plain: Start", MatchesRegex("Plain: Finish \\(\\d+ ms\\)"), "WithResult: Start",
                            MatchesRegex("WithResult: Finish \\(result: -7\\) \\(\\d+ ms\\)"), "ResultTakenBack: Start",
                            MatchesRegex("ResultTakenBack: Finish \\(\\d+ ms\\)")));
}

TEST(ScopedTrace, StaysSilentWithoutTheToolsLibrary) {
    TLScopedTrace trace(u"Unlogged");
    trace.SetResult(1);
}

}  // namespace
