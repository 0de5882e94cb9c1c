#pragma once
// What a scenario test hands SetupWithStandIns.exe, the test-only build of Setup.exe, through the
// environment it starts the program with. The shipped Setup.exe knows nothing of these variables.

namespace tltest {

// The free space of the destination's drive, in bytes.
inline constexpr char16_t kFreeBytesVariable[] = u"TONEHALL_SETUP_FREE_BYTES";
// Milliseconds in one second of the automatic install's countdown (below 1000).
inline constexpr char16_t kCountdownTickVariable[] = u"TONEHALL_SETUP_COUNTDOWN_TICK_MS";

}  // namespace tltest
