// Every kind of version record GetVersionExW can hand back, and the code and name each gives.
#include <gtest/gtest.h>

#include "core/system/os_info.h"

namespace {

using syschecks::DescribeOs;
using syschecks::OsVersionRecord;

struct OsCase {
    uint32_t platform_id, major, minor;
    const char16_t* service_pack;
    uint32_t code;
    const char16_t* name;
};

constexpr OsCase kCases[] = {
    {1, 4, 0, u"", 1000, u"Microsoft Windows 95"},
    {1, 4, 10, u"", 1001, u"Microsoft Windows 98"},
    {1, 4, 10, u" A ", 1002, u"Microsoft Windows 98"},
    {1, 4, 10, u"A", 1001, u"Microsoft Windows 98"},  // the "A" must be the second character
    {1, 4, 90, u"", 1003, u"Microsoft Windows ME"},
    {1, 4, 20, u"", 0, u"Unknown OS"},
    {1, 5, 0, u"", 0, u"Unknown OS"},
    {2, 3, 51, u"", 1004, u"Microsoft Windows NT"},
    {2, 4, 0, u"Service Pack 6", 1004, u"Microsoft Windows NT"},
    {2, 5, 0, u"", 1005, u"Microsoft Windows 2000"},
    {2, 5, 1, u"", 1006, u"Microsoft Windows XP"},
    {2, 5, 2, u"", 1007, u"Microsoft Windows Server 2003"},
    {2, 5, 3, u"", 0, u"Unknown OS"},
    {2, 6, 0, u"", 1008, u"Microsoft Windows Vista"},
    {2, 6, 1, u"Service Pack 1", 1009, u"Microsoft Windows 7"},
    {2, 6, 2, u"", 1010, u"Microsoft Windows 8"},
    {2, 6, 3, u"", 1011, u"Microsoft Windows 8.1"},
    {2, 6, 4, u"", 1013, u"Microsoft Windows New (6.4)"},
    {2, 10, 0, u"", 1012, u"Microsoft Windows 10"},
    {2, 10, 1, u"", 1013, u"Microsoft Windows New (10.1)"},
    {2, 7, 0, u"", 1013, u"Microsoft Windows New (7.0)"},
    {2, 9, 5, u"", 1013, u"Microsoft Windows New (9.5)"},
    {2, 11, 0, u"", 1013, u"Microsoft Windows New (11.0)"},
    {0, 3, 10, u"", 0, u"Unknown OS"},  // Win32s
    {3, 6, 1, u"", 0, u"Unknown OS"},   // Windows CE
};

TEST(OsInfo, GivesTheCodeAndNameOfEveryVersionRecord) {
    for (const OsCase& c : kCases) {
        const OsVersionRecord record{c.platform_id, c.major, c.minor, c.service_pack};
        const syschecks::OsInfo info = DescribeOs(&record);
        EXPECT_EQ(info.code, c.code) << c.platform_id << " " << c.major << "." << c.minor;
        EXPECT_EQ(info.name, c.name) << c.platform_id << " " << c.major << "." << c.minor;
    }
}

TEST(OsInfo, IsUnknownWhenTheVersionCannotBeRead) {
    const syschecks::OsInfo info = DescribeOs(nullptr);
    EXPECT_EQ(info.code, 0u);
    EXPECT_EQ(info.name, u"Unknown OS");
}

}  // namespace
