// Finalization against the real registry, files, tools library and programs under Wine: what Prepare
// finish writes for the next start and what Finish does for each choice.
// The one call that would end the Wine session is replaced for every test here.
#include <gtest/gtest.h>

#include <thread>

#include "core/xml/file_text.h"
#include "engine/finalize/finish.h"
#include "engine/finalize/prepare_finish.h"
#include "engine/finalize/system_shutdown.h"
#include "tests/support/product_tools.h"
#include "tests/support/recording_tools.h"
#include "tests/support/window_driver.h"

namespace {

constexpr char16_t kFinalizeKey[] = u"Software\\C. Orvane\\Tonehall 27\\Installer\\Finalize";
constexpr char16_t kRunOnceKey[] = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

bool KeyExists(const char16_t* path) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, reinterpret_cast<const wchar_t*>(path), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

TLString FinalizeValue(std::u16string_view name) {
    TLString value = u"(absent)";
    tltest::ReadRegistryString(HKEY_CURRENT_USER, kFinalizeKey, name, &value);
    return value;
}

bool ShutdownPrivilegeEnabled() {
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    LUID shutdown;
    alignas(TOKEN_PRIVILEGES) BYTE buffer[4096];
    DWORD size = 0;
    bool enabled = false;
    if (LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &shutdown) &&
        GetTokenInformation(token, TokenPrivileges, buffer, sizeof buffer, &size)) {
        const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer);
        for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
            const LUID_AND_ATTRIBUTES& privilege = privileges->Privileges[i];
            if (privilege.Luid.LowPart == shutdown.LowPart && privilege.Luid.HighPart == shutdown.HighPart)
                enabled = (privilege.Attributes & SE_PRIVILEGE_ENABLED) != 0;
        }
    }
    CloseHandle(token);
    return enabled;
}

// Stands in for ExitWindowsEx: records the call and whether the privilege was on at that moment.
struct ExitWindowsCalls {
    int count = 0;
    UINT flags = 0;
    DWORD reason = 1;
    bool privilege_enabled = false;
} g_exit_calls;

BOOL WINAPI RecordExitWindows(UINT flags, DWORD reason) {
    ++g_exit_calls.count;
    g_exit_calls.flags = flags;
    g_exit_calls.reason = reason;
    g_exit_calls.privilege_enabled = ShutdownPrivilegeEnabled();
    return TRUE;
}

class Finalization : public ::testing::Test {
protected:
    void SetUp() override {
        g_exit_calls = {};
        replaced_ = CSystemShutdown::ReplaceExitWindows(RecordExitWindows);
        ASSERT_TRUE(tools_.loaded());
        ASSERT_TRUE(tltest::MakeFolders(context_.source_folder));
        SetEnvironmentVariableW(L"TONEHALL_PACKAGE_INSTALLER_LOG", package_log_.wc());
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"TONEHALL_PACKAGE_INSTALLER_LOG", nullptr);
        CSystemShutdown::ReplaceExitWindows(replaced_);
    }

    void AddProgram(std::u16string_view name) {
        ASSERT_TRUE(::CopyFileW(tltest::BuildPath(u"distribution/Tunevault/PackageInstaller.exe").wc(),
                                (context_.destination_folder + name).wc(), FALSE));
    }
    std::string NoteBytes() const { return tltest::ReadFileBytes(context_.FinishNotePath()); }
    bool NoteExists() const { return tltest::FileExists(context_.FinishNotePath()); }

    // Runs Finish with the restart confirmation answered by pressing `answer`.
    bool FinishAnswering(std::u16string_view answer, TLString* box_text) {
        std::thread user([&] {
            HWND box = tltest::WaitForDialog(u"Confirm Restart", GetCurrentProcessId());
            if (!box) return;
            *box_text = tltest::AllText(box);
            tltest::PressButton(box, answer);
        });
        const bool finished = engine::Finish(engine::kFinishRestart, context_, nullptr);
        user.join();
        return finished;
    }

    tltest::ProductTools tools_;
    tltest::RegistryCleanup run_once_{HKEY_CURRENT_USER, kRunOnceKey};
    CSystemShutdown::ExitWindowsCall replaced_ = nullptr;
    engine::FinishContext context_{tools_.InstallFolder(), tools_.scratch().Path(u"Source\\"), u"Tonehall.exe"};
    TLString package_log_ = tools_.scratch().Path(u"package installer.log");
};

TEST_F(Finalization, PendingWorkGoesIntoTheSectionAndRunOnce) {
    engine::PendingOperations pending;
    pending.files = {u"C:\\T\\Setup\\a.dll|C:\\T\\a.dll", u"_DELETEFILE|C:\\T\\old.dll",
                     u"C:\\T\\Setup\\b.exe|C:\\T\\b.exe"};
    pending.registrations = {u"_REGISTERFILE|C:\\T\\a.dll"};

    const engine::FinishDecision decision = engine::PrepareFinish(pending, context_);
    EXPECT_TRUE(decision.restart_required);
    EXPECT_EQ(decision.action, engine::kFinishRestart);
    EXPECT_TRUE(pending.files.IsEmpty());
    EXPECT_EQ(pending.registrations.GetCount(), 1u);

    const std::pair<const char16_t*, const char16_t*> values[] = {
        {u"Install File (0)", u"C:\\T\\Setup\\a.dll|C:\\T\\a.dll"},
        {u"Install File (1)", u"C:\\T\\Setup\\b.exe|C:\\T\\b.exe"},
        {u"Delete File (0)", u"_DELETEFILE|C:\\T\\old.dll"},
        {u"Register File (0)", u"_REGISTERFILE|C:\\T\\a.dll"},
        {u"Install File (2)", u"(absent)"},
        {u"Delete File (1)", u"(absent)"},
    };
    for (const auto& [name, data] : values) EXPECT_EQ(FinalizeValue(name), data) << TLString(name);

    HKEY key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, reinterpret_cast<const wchar_t*>(kRunOnceKey), 0, KEY_READ, &key),
              ERROR_SUCCESS);
    wchar_t data[1024] = {};
    DWORD type = 0, size = sizeof data;
    EXPECT_EQ(RegQueryValueExW(key, L"Install Wizard Completion", nullptr, &type, reinterpret_cast<BYTE*>(data), &size),
              ERROR_SUCCESS);
    RegCloseKey(key);
    const TLString expected = u"\""_tl + context_.destination_folder + u"PackageInstaller.exe\" \"/FinishInstall\"";
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(TLString(data), expected);
    EXPECT_EQ(size, (expected.length() + 1) * 2);
}

TEST_F(Finalization, NothingPendingTouchesNeitherTheSectionNorRunOnce) {
    engine::PendingOperations pending;
    EXPECT_EQ(engine::PrepareFinish(pending, context_).action, engine::kFinishRunProgram);
    context_.no_run = true;
    EXPECT_EQ(engine::PrepareFinish(pending, context_).action, engine::kFinishNothing);
    EXPECT_FALSE(KeyExists(kFinalizeKey));
    TLString command;
    EXPECT_FALSE(tltest::ReadRegistryString(HKEY_CURRENT_USER, kRunOnceKey, u"Install Wizard Completion", &command));
}

TEST(FinalizationWithoutSettings, RunOnceIsWrittenWhenTheSectionCannotBeHad) {
    const tltest::RecordingTools tools;  // offers no settings sections
    const tltest::RegistryCleanup run_once(HKEY_CURRENT_USER, kRunOnceKey);
    const tltest::RegistryCleanup settings(HKEY_CURRENT_USER, tltest::kProductSettingsKey);
    engine::PendingOperations pending;
    pending.files = {u"C:\\T\\Setup\\a.dll|C:\\T\\a.dll"};
    engine::PrepareFinish(pending, {u"C:\\T\\", u"C:\\S\\", u"Tonehall.exe"});
    TLString command;
    EXPECT_TRUE(tltest::ReadRegistryString(HKEY_CURRENT_USER, kRunOnceKey, u"Install Wizard Completion", &command));
    EXPECT_EQ(command, u"\"C:\\T\\PackageInstaller.exe\" \"/FinishInstall\"");
    EXPECT_FALSE(KeyExists(kFinalizeKey));
}

TEST_F(Finalization, InstalledProgramsRegisterThemselvesExceptInTheMediaServerEdition) {
    AddProgram(u"Tonehall.exe");
    AddProgram(u"TLService.exe");
    engine::PendingOperations pending;
    const uint64_t log_start = tltest::LogFileSize();
    engine::PrepareFinish(pending, context_);
    EXPECT_EQ(tltest::ReadFileBytes(package_log_), "/Register\r\n/Register\r\n");
    for (std::u16string_view program : {u"Tonehall.exe", u"TLService.exe"})
        EXPECT_TRUE(tltest::LogContains(
            GetCurrentProcessId(),
            u"Filename: "_tl + context_.destination_folder + program + u" / Parameters: /Register", log_start))
            << TLString(program);

    DeleteFileW(package_log_.wc());
    AddProgram(u"GantryServer.exe");
    context_.main_program_file_name = u"GantryServer.exe";
    engine::PrepareFinish(pending, context_);
    EXPECT_FALSE(tltest::FileExists(package_log_));
}

TEST_F(Finalization, RunProgramWritesTheFinishNote) {
    AddProgram(u"Tonehall.exe");
    EXPECT_TRUE(engine::Finish(engine::kFinishRunProgram, context_, nullptr));
    const std::string expected =
        tlxml::EncodeFileText(u"TLFI0001\r\n"_tl + context_.MainProgramPath(), tlxml::TextEncoding::kUtf16LE);
    EXPECT_EQ(NoteBytes(), expected);
    // The read-only mark Finish puts on the destination folder cannot be seen here: Wine drops
    // FILE_ATTRIBUTE_READONLY for folders.
    EXPECT_EQ(g_exit_calls.count, 0);
}

TEST_F(Finalization, AnEarlierFinishNoteGoesWhenThisRunStartsNothing) {
    struct Case {
        int action;
        bool silent, program;
    };
    const Case cases[] = {{engine::kFinishNothing, false, true},
                          {engine::kFinishRunProgram, false, false},
                          {engine::kFinishRunProgram, true, true},
                          {engine::kFinishRestart, true, true}};
    for (const Case& c : cases) {
        ASSERT_TRUE(tools_.scratch().WriteFile(u"Source\\Finish.txt", "an earlier run's note"));
        DeleteFileW(context_.MainProgramPath().wc());
        if (c.program) AddProgram(u"Tonehall.exe");
        context_.silent = c.silent;
        EXPECT_TRUE(engine::Finish(c.action, context_, nullptr)) << c.action;
        EXPECT_FALSE(NoteExists()) << c.action << " silent " << c.silent;
    }
    EXPECT_EQ(g_exit_calls.count, 0);
}

TEST_F(Finalization, ConfirmedRestartEndsTheSessionWithTheShutdownPrivilege) {
    TLString box_text;
    EXPECT_TRUE(FinishAnswering(u"Restart", &box_text));
    EXPECT_NE(box_text.Find(u"Please save your work and close any open programs."), TLString::npos) << box_text;
    EXPECT_NE(box_text.Find(u"Then click 'Restart' to restart your computer and finish installation."), TLString::npos);
    ASSERT_EQ(g_exit_calls.count, 1);
    EXPECT_EQ(g_exit_calls.flags, static_cast<UINT>(EWX_REBOOT | EWX_FORCEIFHUNG));
    EXPECT_EQ(g_exit_calls.reason, 0u);
    EXPECT_TRUE(g_exit_calls.privilege_enabled);
    EXPECT_FALSE(ShutdownPrivilegeEnabled());
    EXPECT_FALSE(NoteExists());
}

TEST_F(Finalization, DeclinedRestartStaysOnThePage) {
    TLString box_text;
    EXPECT_FALSE(FinishAnswering(u"Cancel", &box_text));
    EXPECT_FALSE(box_text.empty());
    EXPECT_EQ(g_exit_calls.count, 0);
}

}  // namespace
