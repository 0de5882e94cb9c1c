// Setup.exe started as a user or a script would start it, under Wine.
#include <gtest/gtest.h>

#include "tests/support/win_test_support.h"

namespace {

TEST(SetupExe, RunsWithAQuotedCommandLineAndExitsWithZero) {
    tltest::ScratchFolder distribution;
    ASSERT_TRUE(distribution.CopyIn(tltest::BuildPath(u"app/Setup.exe"), u"Setup.exe"));
    const auto result = tltest::RunAndWait(distribution.Path(u"Setup.exe"),
                                           u"/Silent /DistributorID \"Corvane Partner (EU)\" /NoRun");
    ASSERT_TRUE(result.started);
    EXPECT_TRUE(result.finished);
    EXPECT_EQ(result.exit_code, 0u);
}

TEST(SetupExe, IsA64BitGuiProgramWithItsManifestEmbedded) {
    HMODULE image = LoadLibraryExW(tltest::BuildPath(u"app/Setup.exe").wc(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(image, nullptr);
    HRSRC manifest = FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(manifest, nullptr);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(image, manifest)));
    const std::string text(bytes, SizeofResource(image, manifest));
    EXPECT_NE(text.find("requireAdministrator"), std::string::npos);
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(text.find("PerMonitorV2"), std::string::npos);
    FreeLibrary(image);

    const std::string pe = tltest::ReadFileBytes(tltest::BuildPath(u"app/Setup.exe"));
    ASSERT_GT(pe.size(), 0x200u);
    const auto header = *reinterpret_cast<const int32_t*>(pe.data() + 0x3C);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(pe.data() + header);
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
    EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

}  // namespace
