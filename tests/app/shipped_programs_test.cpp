// The programs and modules of the sample distribution decide only from the machine: none of them
// carries the name of an environment variable through which a test could steer it. Tests get such
// seams from test-only builds (tests/support/setup_stand_ins.h), never from what ships.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/win_test_support.h"

namespace {

const char* const kHookNames[] = {"TONEHALL_SETUP_FREE_BYTES", "TONEHALL_SETUP_COUNTDOWN_TICK_MS",
                                  "TONEHALL_PACKAGE_INSTALLER_LOG"};

// The name as a program holds it: in bytes, or in UTF-16 units as a wide literal.
std::vector<std::string> Spellings(const std::string& name) {
    std::string wide;
    for (char c : name) wide += {c, '\0'};
    return {name, wide};
}

void CollectPrograms(const TLString& folder, std::vector<TLString>* programs) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + u"*").wc(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE) << folder;
    do {
        const TLString name(found.cFileName);
        if (name == u"." || name == u"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CollectPrograms(folder + name + u"\\", programs);
            continue;
        }
        if (name.EndsWithNoCase(u".exe") || name.EndsWithNoCase(u".dll")) programs->push_back(folder + name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

TEST(ShippedPrograms, CarryNoEnvironmentHookForTests) {
    TLString distribution = tltest::BuildPath(u"distribution");
    distribution.EnsureTrailingBackslash();
    std::vector<TLString> programs;
    CollectPrograms(distribution, &programs);
    ASSERT_TRUE(std::find(programs.begin(), programs.end(), distribution + u"Setup.exe") != programs.end());
    ASSERT_TRUE(std::find(programs.begin(), programs.end(), distribution + u"Tunevault\\PackageInstaller.exe") !=
                programs.end());
    for (const TLString& program : programs) {
        const std::string bytes = tltest::ReadFileBytes(program);
        ASSERT_FALSE(bytes.empty()) << program;
        for (const char* name : kHookNames)
            for (const std::string& spelling : Spellings(name))
                EXPECT_EQ(bytes.find(spelling), std::string::npos) << program << " names " << name;
    }
}

// The test-only build does read them, which shows that the search above finds such a name.
TEST(ShippedPrograms, TheTestOnlySetupIsTheOneThatReadsThem) {
    const std::string bytes = tltest::ReadFileBytes(tltest::BuildPath(u"tests/support/SetupWithStandIns.exe"));
    EXPECT_NE(bytes.find(Spellings("TONEHALL_SETUP_FREE_BYTES")[1]), std::string::npos);
}

}  // namespace
