#include "core/system/os_info.h"

#include <limits>

namespace syschecks {
namespace {

constexpr uint32_t kAny = std::numeric_limits<uint32_t>::max();

// One kind of system: platform, a range of major and of minor versions, its code and name. The first
// row that matches wins; "%d.%d" in a name takes the major and minor version.
struct OsRow {
    uint32_t platform_id;
    uint32_t major_from, major_to;
    uint32_t minor_from, minor_to;
    OsCode code;
    const char16_t* name;
};

constexpr OsRow kOsTable[] = {
    {1, 4, 4, 0, 0, kOsWindows95, u"Microsoft Windows 95"},
    {1, 4, 4, 10, 10, kOsWindows98, u"Microsoft Windows 98"},
    {1, 4, 4, 90, 90, kOsWindowsMe, u"Microsoft Windows ME"},
    {2, 0, 4, 0, kAny, kOsWindowsNt, u"Microsoft Windows NT"},
    {2, 5, 5, 0, 0, kOsWindows2000, u"Microsoft Windows 2000"},
    {2, 5, 5, 1, 1, kOsWindowsXp, u"Microsoft Windows XP"},
    {2, 5, 5, 2, 2, kOsWindowsServer2003, u"Microsoft Windows Server 2003"},
    {2, 6, 6, 0, 0, kOsWindowsVista, u"Microsoft Windows Vista"},
    {2, 6, 6, 1, 1, kOsWindows7, u"Microsoft Windows 7"},
    {2, 6, 6, 2, 2, kOsWindows8, u"Microsoft Windows 8"},
    {2, 6, 6, 3, 3, kOsWindows81, u"Microsoft Windows 8.1"},
    {2, 10, 10, 0, 0, kOsWindows10, u"Microsoft Windows 10"},
    {2, 6, 6, 4, kAny, kOsWindowsNew, u"Microsoft Windows New (%d.%d)"},
    {2, 10, 10, 1, kAny, kOsWindowsNew, u"Microsoft Windows New (%d.%d)"},
    {2, 7, 9, 0, kAny, kOsWindowsNew, u"Microsoft Windows New (%d.%d)"},
    {2, 11, kAny, 0, kAny, kOsWindowsNew, u"Microsoft Windows New (%d.%d)"},
};

bool Matches(const OsRow& row, const OsVersionRecord& record) {
    return row.platform_id == record.platform_id && record.major >= row.major_from && record.major <= row.major_to &&
           record.minor >= row.minor_from && record.minor <= row.minor_to;
}

}  // namespace

OsInfo DescribeOs(const OsVersionRecord* record) {
    if (record) {
        for (const OsRow& row : kOsTable) {
            if (!Matches(row, *record)) continue;
            OsInfo info{row.code,
                        TLString::Format(row.name, static_cast<int>(record->major), static_cast<int>(record->minor))};
            if (row.code == kOsWindows98 && record->service_pack.length() > 1 && record->service_pack[1] == u'A')
                info.code = kOsWindows98SecondEdition;
            return info;
        }
    }
    return OsInfo{kOsUnknown, u"Unknown OS"};
}

}  // namespace syschecks
