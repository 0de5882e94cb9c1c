#pragma once
// The two facts of the machine that the wizard's scenario tests must choose: the free space of the
// destination's drive, because Wine cannot stand for a nearly full disk, and the length of a second
// of the automatic install's countdown, so that a scenario need not wait half a minute.
//
// machine_seams.cpp answers from the machine and is what Setup.exe ships with. A test-only build of
// the program (SetupWithStandIns.exe, tests/support) links its own definitions of these functions
// instead; the linker then never takes machine_seams.o out of its library. Keep this file's
// definitions alone in machine_seams.cpp, so that the substitution stays possible.

#include <cstdint>

#include "core/string/tl_string.h"

namespace seams {

// Bytes free on the folder's drive; negative when nobody can tell.
int64_t FreeBytes(const TLString& folder);
// Milliseconds in one second of the countdown.
unsigned CountdownTickMs();

}  // namespace seams
