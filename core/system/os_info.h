#pragma once
// OsInfo: which Windows the installer runs on, as a code and a display name. The codes are shared
// with the installations record ("OS Version"), so they never change meaning.

#include <cstdint>

#include "core/string/tl_string.h"

namespace syschecks {

struct OsInfo {
    uint32_t code = 0;  // 0: unknown
    TLString name;
};

// Codes the checks and the installations record compare against.
enum OsCode : uint32_t {
    kOsUnknown = 0,
    kOsWindows95 = 1000,
    kOsWindows98 = 1001,
    kOsWindows98SecondEdition = 1002,
    kOsWindowsMe = 1003,
    kOsWindowsNt = 1004,
    kOsWindows2000 = 1005,
    kOsWindowsXp = 1006,
    kOsWindowsServer2003 = 1007,
    kOsWindowsVista = 1008,
    kOsWindows7 = 1009,
    kOsWindows8 = 1010,
    kOsWindows81 = 1011,
    kOsWindows10 = 1012,
    kOsWindowsNew = 1013,
};

// What GetVersionExW reports.
struct OsVersionRecord {
    uint32_t platform_id = 0;  // 1: Windows 9x, 2: NT
    uint32_t major = 0;
    uint32_t minor = 0;
    TLString service_pack;  // szCSDVersion; Windows 98 Second Edition says " A"
};

// The code and name for a version record; a null record (GetVersionExW failed) is unknown.
OsInfo DescribeOs(const OsVersionRecord* record);

// The running system's OsInfo, read once per process under its own lock.
const OsInfo& GetOsInfo();

}  // namespace syschecks
