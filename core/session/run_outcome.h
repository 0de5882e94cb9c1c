#pragma once
// How a run ended, and the exit code a distributor's tool reads from it when the run was started with
// "/ResultCode": the codes that the platform's own installer service uses for the same outcomes.

#include "core/string/tl_string.h"

enum class RunEnd { kSucceeded, kRestartRequired, kCancelled, kFailed };

struct RunOutcome {
    RunEnd end = RunEnd::kSucceeded;
    // Why the run ended so; empty for a plain success.
    TLString reason;

    // The first failure or cancellation is the one that ended the run; later ones only follow from it.
    void Fail(const TLString& why);
    void Cancel(const TLString& why);
    // A run that succeeded but whose files wait for the next start of Windows.
    void RequireRestart(const TLString& why);
    bool Ended() const { return end == RunEnd::kCancelled || end == RunEnd::kFailed; }
};

// 0, 3010 (restart required), 1602 (cancelled) or 1603 (failed).
int ResultCodeOf(RunEnd end);

// The log's last line: "Result: 1603 (failed): <reason>", with the exit code the process gives
// (`result_code_switch`) or "Result: failed (exit code 0): ..." without the switch.
TLString DescribeOutcome(const RunOutcome& outcome, bool result_code_switch);
