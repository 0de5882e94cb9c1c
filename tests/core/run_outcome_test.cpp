#include "core/session/run_outcome.h"

#include <gtest/gtest.h>

namespace {

TEST(RunOutcomeTest, ResultCodesAndLastLine) {
    struct Case {
        RunEnd end;
        int code;
        std::u16string_view with_switch;
        std::u16string_view without_switch;
    };
    const Case cases[] = {
        {RunEnd::kSucceeded, 0, u"Result: 0 (succeeded): why", u"Result: succeeded (exit code 0): why"},
        {RunEnd::kRestartRequired, 3010, u"Result: 3010 (succeeded, restart required): why",
         u"Result: succeeded, restart required (exit code 0): why"},
        {RunEnd::kCancelled, 1602, u"Result: 1602 (cancelled): why", u"Result: cancelled (exit code 0): why"},
        {RunEnd::kFailed, 1603, u"Result: 1603 (failed): why", u"Result: failed (exit code 0): why"},
    };
    for (const Case& c : cases) {
        const RunOutcome outcome{c.end, u"why"};
        EXPECT_EQ(ResultCodeOf(c.end), c.code);
        EXPECT_EQ(DescribeOutcome(outcome, true), c.with_switch);
        EXPECT_EQ(DescribeOutcome(outcome, false), c.without_switch);
    }
    EXPECT_EQ(DescribeOutcome(RunOutcome{}, true), u"Result: 0 (succeeded)");
}

// A failure's cleanup (rollback, the wizard closing) reports more endings; the log must name the first.
TEST(RunOutcomeTest, FirstEndingStays) {
    RunOutcome failed;
    failed.RequireRestart(u"staged files");
    failed.Fail(u"copy failed");
    failed.Cancel(u"wizard closed");
    failed.RequireRestart(u"staged files");
    EXPECT_EQ(failed.end, RunEnd::kFailed);
    EXPECT_EQ(failed.reason, u"copy failed");

    RunOutcome cancelled;
    cancelled.Cancel(u"the person cancelled");
    cancelled.Fail(u"later");
    EXPECT_EQ(cancelled.end, RunEnd::kCancelled);
}

}  // namespace
