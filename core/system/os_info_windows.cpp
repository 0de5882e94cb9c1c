#include <windows.h>

#include "core/system/os_info.h"

namespace syschecks {
namespace {

OsInfo ReadOsInfo() {
    // The manifest's supportedOS entries decide whether Windows tells the truth beyond 8.
    OSVERSIONINFOEXW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version))) return DescribeOs(nullptr);
    const OsVersionRecord record{version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion,
                                 TLString(version.szCSDVersion)};
    return DescribeOs(&record);
}

}  // namespace

const OsInfo& GetOsInfo() {
    // A function-local static is built once, under the lock the compiler puts around it, so that a
    // second thread arriving meanwhile waits for the finished record.
    static const OsInfo info = ReadOsInfo();
    return info;
}

}  // namespace syschecks
