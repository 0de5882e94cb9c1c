// The scoped trace's start and finish lines, with and without a stored result.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "core/tools/scoped_trace.h"
#include "core/tools/tools.h"
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

// Startup's own trace begins before the tools library is loaded and ends after; a trace may also
// outlive the library. Each end logs to the library that is there at that moment, or nowhere.
TEST(ScopedTrace, EachEndLogsToTheLibraryThereAtThatMoment) {
    std::optional<TLScopedTrace> started_before;
    started_before.emplace(u"StartedBefore");
    tltest::RecordingTools first;
    started_before.reset();
    std::optional<TLScopedTrace> ended_after;
    ended_after.emplace(u"EndedAfter");
    EXPECT_THAT(first.Lines(), ElementsAre(MatchesRegex("StartedBefore: Finish \\(\\d+ ms\\)"), "EndedAfter: Start"));

    tools::SetInterface(nullptr);
    ended_after.reset();
    EXPECT_EQ(first.Lines().size(), 2u);
}

}  // namespace
