#pragma once
// Two stand-ins that the wizard's scenario tests hand to Setup.exe through its environment: the free
// space of the destination's drive, because Wine cannot stand for a nearly full disk, and the length
// of a second of the automatic install's countdown, so that a scenario need not wait half a minute.
// Without the variables (every real run) the real free space and real seconds are used.

#include <cstdint>
#include <optional>

namespace seams {

inline constexpr char16_t kFreeBytesVariable[] = u"TONEHALL_SETUP_FREE_BYTES";
inline constexpr char16_t kCountdownTickVariable[] = u"TONEHALL_SETUP_COUNTDOWN_TICK_MS";

// The free space a test stands for; nothing when none is given.
std::optional<int64_t> FreeBytes();
// Milliseconds in one second of the countdown: 1000 unless a test gives fewer.
unsigned CountdownTickMs();

}  // namespace seams
