// The next start as the installer leaves it: the package installer's "/FinishInstall" carrying out
// the finalize list, and the whole reboot path, with Wine's own restart (wineboot -r) carrying out
// the delayed file moves.
#include <gtest/gtest.h>

#include "engine/finalize/prepare_finish.h"
#include "tests/engine/fixtures/com_server_key.h"
#include "tests/finalize/next_start.h"
#include "tests/support/product_keys.h"
#include "tests/support/product_tools.h"

namespace {

using tltest::kFinalizeKey;
using tltest::kRunOnceKey;

DWORD ValueCount(const char16_t* path) {
    HKEY key;
    DWORD values = 0;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, reinterpret_cast<const wchar_t*>(path), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    return values;
}

class NextStart : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tools_.loaded());
        ASSERT_TRUE(::CopyFileW(tltest::BuildPath(u"distribution/Tunevault/PackageInstaller.exe").wc(),
                                PackageInstaller().wc(), FALSE));
    }

    TLString Installed(std::u16string_view relative) const { return tools_.InstallFolder() + relative; }
    TLString PackageInstaller() const { return Installed(u"PackageInstaller.exe"); }
    TLString ComServer() const { return tltest::BuildPath(u"tests/engine/fixtures/TestComServer.dll"); }
    TLString RegisteredServer() const {
        TLString server;
        tltest::ReadRegistryString(HKEY_CURRENT_USER, tltest::kComServerKey, tltest::kComServerPathValue, &server);
        return server;
    }
    engine::FinishContext Context() const {
        return {tools_.InstallFolder(), tools_.scratch().Path(u"Source\\"), u"Tonehall.exe"};
    }

    tltest::ProductTools tools_;
    tltest::RegistryCleanup run_once_{HKEY_CURRENT_USER, kRunOnceKey};
    tltest::RegistryCleanup server_{HKEY_CURRENT_USER, tltest::kComServerKey};
    // The package installer stand-in logs its commands beside itself.
    TLString package_log_ = tools_.InstallFolder() + u"PackageInstaller.log";
};

TEST_F(NextStart, FinishInstallDoesEveryEntryItCanOnce) {
    ASSERT_TRUE(tools_.scratch().WriteFile(u"Installed\\Setup\\readme.txt", "new text"));
    ASSERT_TRUE(tools_.scratch().WriteFile(u"Installed\\readme.txt", "old text"));
    ASSERT_TRUE(tools_.scratch().WriteFile(u"Installed\\obsolete.dll", "obsolete"));
    ASSERT_TRUE(tools_.scratch().CopyIn(ComServer(), u"Installed\\Server.dll"));
    engine::PendingOperations pending;
    pending.files = {Installed(u"Setup\\gone.dll|") + Installed(u"gone.dll"),
                     Installed(u"Setup\\readme.txt|") + Installed(u"readme.txt"),
                     u"_DELETEFILE|"_tl + Installed(u"obsolete.dll")};
    pending.registrations = {u"_REGISTERFILE|"_tl + Installed(u"Server.dll")};
    engine::PrepareFinish(pending, Context());
    ASSERT_EQ(ValueCount(kFinalizeKey), 4u);

    const tltest::ProgramResult first = tltest::RunAndWait(PackageInstaller(), u"\"/FinishInstall\"");
    ASSERT_TRUE(first.finished);
    // The missing staged file is reported and does not hold up the entries after it.
    EXPECT_EQ(tltest::ReadFileBytes(Installed(u"readme.txt")), "new text");
    EXPECT_FALSE(tltest::FileExists(Installed(u"Setup\\readme.txt")));
    EXPECT_FALSE(tltest::FileExists(Installed(u"obsolete.dll")));
    EXPECT_TRUE(RegisteredServer().EqualsNoCase(Installed(u"Server.dll")));
    EXPECT_EQ(ValueCount(kFinalizeKey), 0u);
    const std::string after_first = tltest::ReadFileBytes(package_log_);
    EXPECT_EQ(after_first, "\"/FinishInstall\"\r\nInstall File (0): staged file missing: " +
                               Installed(u"Setup\\gone.dll").ToUtf8() + "\r\n");

    // A second run finds nothing left to do.
    ASSERT_TRUE(tools_.scratch().WriteFile(u"Installed\\obsolete.dll", "put back"));
    ASSERT_TRUE(tltest::RunAndWait(PackageInstaller(), u"\"/FinishInstall\"").finished);
    EXPECT_TRUE(tltest::FileExists(Installed(u"obsolete.dll")));
    EXPECT_EQ(tltest::ReadFileBytes(package_log_), after_first + "\"/FinishInstall\"\r\n");
}

// A program file in use while installing is staged and moved at the restart; its registration waits
// for the package installer that RunOnce starts at the next log-on.
TEST_F(NextStart, AFileInUseIsInPlaceAndRegisteredAfterTheRestart) {
    const TLString target = Installed(u"Server.dll");
    const TLString staged = Installed(u"Setup\\Server.dll");
    ASSERT_TRUE(tools_.scratch().WriteFile(u"Installed\\Server.dll", "the version in use"));
    HANDLE in_use = CreateFileW(target.wc(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(in_use, INVALID_HANDLE_VALUE);
    ASSERT_FALSE(::CopyFileW(ComServer().wc(), target.wc(), FALSE));
    ASSERT_TRUE(tools_.scratch().CopyIn(ComServer(), u"Installed\\Setup\\Server.dll"));
    ASSERT_TRUE(MoveFileExW(staged.wc(), target.wc(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT));
    CloseHandle(in_use);

    engine::PendingOperations pending;
    pending.files = {staged + u"|" + target};
    pending.registrations = {u"_REGISTERFILE|"_tl + target};
    pending.restart_required = true;
    EXPECT_EQ(engine::PrepareFinish(pending, Context()).action, engine::kFinishRestart);
    TLString command;
    ASSERT_TRUE(tltest::ReadRegistryString(HKEY_CURRENT_USER, kRunOnceKey, u"Install Wizard Completion", &command));
    EXPECT_EQ(tltest::ReadFileBytes(target), "the version in use");

    ASSERT_TRUE(tltest::RestartWine());
    EXPECT_EQ(tltest::ReadFileBytes(target), tltest::ReadFileBytes(ComServer()));

    // The log-on runs the RunOnce command (Wine's restart may have run it already; a second run is
    // harmless).
    ASSERT_TRUE(tltest::RunRunOnceCommand(command)) << command;
    EXPECT_TRUE(RegisteredServer().EqualsNoCase(target));
    EXPECT_EQ(ValueCount(kFinalizeKey), 0u);
}

}  // namespace
