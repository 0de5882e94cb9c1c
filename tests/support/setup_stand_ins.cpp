// The machine facts of SetupWithStandIns.exe: what the scenario put in the program's environment,
// else the machine's own answer. Linked into that program in place of wizard/machine_seams.cpp.
#include <windows.h>

#include <iterator>
#include <optional>

#include "engine/filesystem/tl_file_system.h"
#include "tests/support/setup_stand_ins.h"
#include "wizard/machine_seams.h"

namespace {

std::optional<int64_t> NumberFromEnvironment(const char16_t* name) {
    wchar_t value[32];
    const DWORD length =
        GetEnvironmentVariableW(reinterpret_cast<const wchar_t*>(name), value, static_cast<DWORD>(std::size(value)));
    if (length == 0 || length >= std::size(value)) return std::nullopt;
    return TLString(value, length).ToInt64();
}

}  // namespace

namespace seams {

int64_t FreeBytes(const TLString& folder) {
    if (const std::optional<int64_t> stand_in = NumberFromEnvironment(tltest::kFreeBytesVariable)) return *stand_in;
    return TLFileSystem::FreeSpace(folder);
}

unsigned CountdownTickMs() {
    const std::optional<int64_t> tick = NumberFromEnvironment(tltest::kCountdownTickVariable);
    return tick && *tick > 0 && *tick < 1000 ? static_cast<unsigned>(*tick) : 1000;
}

}  // namespace seams
