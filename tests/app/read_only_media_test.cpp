// Setup.exe run from read-only media (a DVD, a share the user may only read): it installs the same
// product as from a writable copy of the distribution, launcher included, and writes nothing into
// the distribution.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "engine/copy/source_tree.h"
#include "engine/install/install_helper.h"
#include "tests/app/distribution_fixture.h"
#include "tests/copy/copy_test_support.h"
#include "tests/support/unix_side.h"
#include "tests/support/win_test_support.h"

namespace {

constexpr const char16_t* kDestination = tltest::InstalledProductCleanup::kDestination;
constexpr char16_t kLauncher[] = u"Tonehall Launcher.exe";

// Every file of the installed product, by its path below the destination, with its contents.
std::map<std::u16string, std::string> InstalledFiles() {
    std::map<std::u16string, std::string> files;
    // The install record lists what was put in place in the order it was: the launcher comes last
    // from read-only media.
    for (const engine::SourceFile& file : engine::ListSourceTree(kDestination).files)
        if (file.relative != journal::kInstallRecordName)
            files[std::u16string(file.relative.view())] = tltest::ReadFileBytes(kDestination + file.relative);
    return files;
}

std::map<std::u16string, std::string> InstallSilently(const tltest::Distribution& distribution) {
    tltest::ForgetInstalledProduct();
    tltest::StartedProgram setup(distribution.SetupExe(), u"/Silent /NoRun");
    EXPECT_TRUE(setup.Wait(180000).finished);
    EXPECT_TRUE(tltest::LogContains(setup, u"CInstallHelper::CopyAndRegister: Finish (result: 1)"));
    return InstalledFiles();
}

TEST(ReadOnlyMedia, InstallsTheSameProductAsAWritableDistribution) {
    tltest::PendingRenamesGuard renames;
    std::map<std::u16string, std::string> from_writable;
    {
        tltest::Distribution writable;
        from_writable = InstallSilently(writable);
    }
    ASSERT_EQ(from_writable.count(kLauncher), 1u) << "the writable distribution installs the launcher";

    tltest::Distribution distribution;
    tltest::ReadOnlyMount read_only(distribution.path());
    ASSERT_TRUE(read_only.made()) << "mounting the distribution read-only needs root";
    ASSERT_FALSE(distribution.scratch().WriteFile(u"probe.txt", "x")) << "the distribution is still writable";

    const std::map<std::u16string, std::string> from_read_only = InstallSilently(distribution);
    EXPECT_EQ(from_read_only.count(kLauncher), 1u);
    EXPECT_EQ(from_read_only.size(), from_writable.size());
    for (const auto& [path, bytes] : from_writable) {
        const auto found = from_read_only.find(path);
        EXPECT_TRUE(found != from_read_only.end() && found->second == bytes) << TLString(path);
    }
    EXPECT_TRUE(tltest::FileExists(distribution.Path(u"System\\Always Overwrite\\Tone Core Launcher.exe")));
}

}  // namespace
