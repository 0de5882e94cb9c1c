// Setup.exe under a user locale with a decimal comma: ctest starts this program with the user's locale
// German (LC_ALL=de_DE.UTF-8), and the programs it starts under Wine inherit that locale.
#include <gtest/gtest.h>

#include <clocale>

#include "tests/app/distribution_fixture.h"
#include "tests/support/win_test_support.h"

namespace {

TEST(SetupExeUnderDecimalComma, ReadsInstallXmlVersionOnePointZero) {
    // Without a decimal comma this test would prove nothing.
    ASSERT_NE(setlocale(LC_ALL, ""), nullptr);
    ASSERT_STREQ(localeconv()->decimal_point, ",") << "run with LC_ALL=de_DE.UTF-8";
    setlocale(LC_ALL, "C");

    tltest::Distribution distribution;
    ASSERT_TRUE(distribution.scratch().WriteFile(
        u"Install.xml", "<TLIC version=\"1.0\"><Settings><AllowDowngrade>0</AllowDowngrade></Settings></TLIC>"));
    tltest::StartedProgram setup(distribution.SetupExe(), u"");
    EXPECT_EQ(setup.Wait().exit_code, 0u);
    EXPECT_TRUE(tltest::LogContains(setup, u"Install.xml\" read;"));
    EXPECT_TRUE(tltest::LogContains(setup, u"allow downgrade 0;"));
}

}  // namespace
