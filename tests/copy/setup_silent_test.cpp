// Setup.exe /Silent on the sample distribution, as an updater runs it: the product arrives in its
// default folder and is listed among the installed programs; run again with downgrades forbidden and
// the same version installed, only the dependency step runs.
#include <gtest/gtest.h>

#include <string>

#include "engine/copy/source_tree.h"
#include "tests/app/distribution_fixture.h"
#include "tests/copy/copy_test_support.h"
#include "tests/support/win_test_support.h"

namespace {

constexpr const char16_t* kDestination = tltest::InstalledProductCleanup::kDestination;
constexpr char16_t kRecordKey[] = u"Software\\C. Orvane\\Tone Core\\Installations";

class SetupSilent : public ::testing::Test {
protected:
    tltest::InstalledProductCleanup installed_;
    tltest::PendingRenamesGuard renames_;
};

TEST_F(SetupSilent, InstallsTheProductAndASecondRunOfTheSameVersionLeavesItAlone) {
    tltest::Distribution distribution;
    {
        tltest::StartedProgram setup(distribution.SetupExe(), u"/Silent /NoRun");
        ASSERT_TRUE(setup.Wait(120000).finished);
        EXPECT_TRUE(tltest::LogContains(setup, u"CInstallHelper::CopyAndRegister: Finish (result: 1)"));
    }
    const engine::SourceTree tree = engine::ListSourceTree(distribution.Path(u"Tunevault\\"));
    for (const engine::SourceFile& file : tree.files)
        EXPECT_TRUE(tltest::FileExists(kDestination + file.relative)) << file.relative;
    TLString path;
    EXPECT_TRUE(
        tltest::ReadRegistryString(HKEY_LOCAL_MACHINE, TLString(kRecordKey) + u"\\Tonehall 27", u"Path", &path));
    EXPECT_EQ(path, kDestination);
    const std::string listed = tltest::CaptureOutput(u"C:\\windows\\system32\\uninstaller.exe --list");
    EXPECT_NE(listed.find("Tonehall 27 (64-bit)|||Tonehall (64-bit)"), std::string::npos) << listed;

    // The same version again, with downgrades forbidden: nothing is copied.
    const TLString marker = TLString(kDestination) + u"License.txt";
    ASSERT_TRUE(DeleteFileW(marker.wc()));
    ASSERT_TRUE(distribution.scratch().WriteFile(
        u"Install.xml",
        "<?xml version=\"1.0\"?>\r\n<TLIC version=\"1.0\"><Settings><AllowDowngrade>0</AllowDowngrade>"
        "</Settings></TLIC>\r\n"));
    tltest::StartedProgram again(distribution.SetupExe(), u"/Silent /NoRun");
    ASSERT_TRUE(again.Wait(120000).finished);
    EXPECT_TRUE(tltest::LogContains(again, u"RunDependencyPhase: Finish (result: 1)"));
    EXPECT_FALSE(tltest::LogContains(again, u"CInstallHelper::CopyAndRegister: Start"));
    EXPECT_FALSE(tltest::LogContains(again, u"Installing plug-ins"));
    EXPECT_TRUE(tltest::LogContains(again, u"The installation steps are done"));
    EXPECT_FALSE(tltest::FileExists(marker)) << "the program files were left alone";
}

}  // namespace
