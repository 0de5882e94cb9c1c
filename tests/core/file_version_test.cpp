// File versions read from real version resources.
#include <gtest/gtest.h>

#include "core/windows/file_version.h"
#include "tests/support/win_test_support.h"

namespace {

TEST(FileVersion, ReadsTheVersionResourceMostSignificantPartFirst) {
    const TLString program = tltest::BuildPath(u"tests/engine/fixtures/ExitWithCode.exe");
    EXPECT_EQ(tlwin::FileVersion(program), (uint64_t{27} << 48) | (uint64_t{3} << 32) | (uint64_t{1} << 16) | 4096);
    EXPECT_EQ(tlwin::FileVersionText(program), u"27.3.1.4096");
    // Later versions compare greater whatever their lower parts hold.
    EXPECT_GT(tlwin::FileVersion(program), (uint64_t{26} << 48) | (uint64_t{65535} << 32) | 0xFFFFFFFF);
}

TEST(FileVersion, IsZeroAndHasNoTextWithoutAVersionResourceOrFile) {
    tltest::ScratchFolder scratch;
    ASSERT_TRUE(scratch.WriteFile(u"plain.txt", "no resources here"));
    for (const TLString& path : {tltest::BuildPath(u"tests/engine/fixtures/NeverEnds.exe"), scratch.Path(u"plain.txt"),
                                 scratch.Path(u"missing.dll")}) {
        EXPECT_EQ(tlwin::FileVersion(path), 0u) << path;
        // A record that says "0.0.0.0" would claim a version nobody read.
        EXPECT_EQ(tlwin::FileVersionText(path), u"") << path;
    }
}

}  // namespace
