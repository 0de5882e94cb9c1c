#include "core/session/run_outcome.h"

namespace {

const char16_t* EndName(RunEnd end) {
    switch (end) {
        case RunEnd::kSucceeded:
            return u"succeeded";
        case RunEnd::kRestartRequired:
            return u"succeeded, restart required";
        case RunEnd::kCancelled:
            return u"cancelled";
        case RunEnd::kFailed:
            return u"failed";
    }
    return u"failed";
}

}  // namespace

void RunOutcome::Fail(const TLString& why) {
    if (Ended()) return;
    end = RunEnd::kFailed;
    reason = why;
}

void RunOutcome::Cancel(const TLString& why) {
    if (Ended()) return;
    end = RunEnd::kCancelled;
    reason = why;
}

void RunOutcome::RequireRestart(const TLString& why) {
    if (Ended()) return;
    end = RunEnd::kRestartRequired;
    reason = why;
}

int ResultCodeOf(RunEnd end) {
    switch (end) {
        case RunEnd::kSucceeded:
            return 0;
        case RunEnd::kRestartRequired:
            return 3010;
        case RunEnd::kCancelled:
            return 1602;
        case RunEnd::kFailed:
            return 1603;
    }
    return 1603;
}

TLString DescribeOutcome(const RunOutcome& outcome, bool result_code_switch) {
    TLString line = result_code_switch
                        ? TLString::Format(u"Result: %d (%s)", ResultCodeOf(outcome.end), EndName(outcome.end))
                        : TLString::Format(u"Result: %s (exit code 0)", EndName(outcome.end));
    if (!outcome.reason.empty()) line += u": " + outcome.reason;
    return line;
}
