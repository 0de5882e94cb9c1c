// Finalization against the real registry, files, tools library and programs under Wine: what Prepare
// finish writes for the next start and what Finish does for each choice.
// The one call that would end the Wine session is replaced for every test here.
#include <gtest/gtest.h>

#include "core/tools/module_loader.h"
#include "core/tools/tools.h"
#include "core/windows/fault_seam.h"
#include "core/xml/file_text.h"
#include "engine/finalize/finish.h"
#include "engine/finalize/prepare_finish.h"
#include "engine/finalize/system_shutdown.h"
#include "tests/support/product_keys.h"
#include "tests/support/product_tools.h"
#include "tests/support/recording_prompts.h"
#include "tests/support/recording_tools.h"

namespace {

using tltest::kFinalizeKey;
using tltest::kRunOnceKey;

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
    }
    void TearDown() override { CSystemShutdown::ReplaceExitWindows(replaced_); }

    void AddProgram(std::u16string_view name) {
        ASSERT_TRUE(::CopyFileW(tltest::BuildPath(u"distribution/Tunevault/PackageInstaller.exe").wc(),
                                (context_.destination_folder + name).wc(), FALSE));
    }
    std::string NoteBytes() const { return tltest::ReadFileBytes(context_.FinishNotePath()); }
    bool NoteExists() const { return tltest::FileExists(context_.FinishNotePath()); }

    // Runs Finish with the restart confirmation answered by `answer`.
    bool FinishAnswering(int answer) {
        prompts_.answers = {answer};
        return engine::Finish(engine::kFinishRestart, context_, prompts_);
    }

    static constexpr int kRestart = tltools::IMessageService::kResultFirstNamed;
    static constexpr int kCancel = tltools::IMessageService::kResultFirstNamed + 1;
    tltest::ProductTools tools_;
    tltest::RecordingPrompts prompts_;
    tltest::RegistryCleanup run_once_{HKEY_CURRENT_USER, kRunOnceKey};
    CSystemShutdown::ExitWindowsCall replaced_ = nullptr;
    engine::FinishContext context_{tools_.InstallFolder(), tools_.scratch().Path(u"Source\\"), u"Tonehall.exe"};
    // The package installer stand-in logs its commands beside itself.
    TLString package_log_ = tools_.InstallFolder() + u"PackageInstaller.log";
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

// The next log-on cannot finish what waits for it: the log says so at once.
TEST_F(Finalization, ARunOnceEntryThatCannotBeWrittenIsLoggedAsAnError) {
    engine::PendingOperations pending;
    pending.files = {u"C:\\T\\Setup\\a.dll|C:\\T\\a.dll"};
    const uint64_t log_start = tltest::LogFileSize();
    {
        const tlwin::PlantedFault denied(tlwin::FaultCall::kRegistryWrite, ERROR_ACCESS_DENIED);
        EXPECT_EQ(engine::PrepareFinish(pending, context_).action, engine::kFinishRestart);
    }
    TLString command;
    EXPECT_FALSE(tltest::ReadRegistryString(HKEY_CURRENT_USER, kRunOnceKey, u"Install Wizard Completion", &command));
    EXPECT_TRUE(tltest::LogContains(GetCurrentProcessId(),
                                    u"error PrepareFinish: The RunOnce entry cannot be written (error 5)", log_start));
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
    EXPECT_TRUE(engine::Finish(engine::kFinishRunProgram, context_, prompts_));
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
        EXPECT_TRUE(engine::Finish(c.action, context_, prompts_)) << c.action;
        EXPECT_FALSE(NoteExists()) << c.action << " silent " << c.silent;
    }
    EXPECT_EQ(g_exit_calls.count, 0);
}

TEST_F(Finalization, ConfirmedRestartEndsTheSessionWithTheShutdownPrivilege) {
    EXPECT_TRUE(FinishAnswering(kRestart));
    ASSERT_EQ(prompts_.asked.size(), 1u);
    const tools::Prompt& asked = prompts_.asked[0];
    EXPECT_EQ(asked.title, u"Confirm Restart");
    EXPECT_EQ(asked.text,
              u"Please save your work and close any open programs.\r\n\r\n"
              u"Then click 'Restart' to restart your computer and finish installation.");
    EXPECT_EQ(asked.named_buttons, (std::vector<TLString>{u"Restart", u"Cancel"}));
    // Nobody there to answer: the computer is not restarted.
    EXPECT_EQ(asked.safe_answer, kCancel);
    ASSERT_EQ(g_exit_calls.count, 1);
    EXPECT_EQ(g_exit_calls.flags, static_cast<UINT>(EWX_REBOOT | EWX_FORCEIFHUNG));
    EXPECT_EQ(g_exit_calls.reason, 0u);
    EXPECT_TRUE(g_exit_calls.privilege_enabled);
    EXPECT_FALSE(ShutdownPrivilegeEnabled());
    EXPECT_FALSE(NoteExists());
}

TEST_F(Finalization, DeclinedRestartStaysOnThePage) {
    EXPECT_FALSE(FinishAnswering(kCancel));
    EXPECT_EQ(prompts_.asked.size(), 1u);
    EXPECT_EQ(g_exit_calls.count, 0);
}

// The language file translates the restart request as one text.
TEST_F(Finalization, ARestartRequestInGermanIsTranslatedWhole) {
    ASSERT_TRUE(tools::OpenSettingsSection(u"Properties").SetString(u"Language", u"German"));
    tltools::TLModuleLoader::Get().UnloadAll();
    ASSERT_TRUE(tltools::TLModuleLoader::Get().Load(tltools::kToolsSlot));
    EXPECT_FALSE(FinishAnswering(kCancel));
    ASSERT_EQ(prompts_.asked.size(), 1u);
    EXPECT_EQ(prompts_.asked[0].title, u"Neustart bestätigen");
    EXPECT_EQ(prompts_.asked[0].text,
              u"Bitte speichern Sie Ihre Arbeit und schließen Sie alle geöffneten Programme.\r\n\r\n"
              u"Klicken Sie dann auf \"Neu starten\", um den Computer neu zu starten und die Installation "
              u"abzuschließen.");
    EXPECT_EQ(prompts_.asked[0].named_buttons, (std::vector<TLString>{u"Neu starten", u"Abbrechen"}));
}

// A finish note that cannot be written leaves the product to be started by hand: the log says so and
// no note is left behind.
TEST_F(Finalization, AFinishNoteThatCannotBeWrittenIsLoggedAsAnError) {
    AddProgram(u"Tonehall.exe");
    const uint64_t log_start = tltest::LogFileSize();
    {
        const tlwin::PlantedFault full(tlwin::FaultCall::kFileWrite, ERROR_DISK_FULL);
        EXPECT_TRUE(engine::Finish(engine::kFinishRunProgram, context_, prompts_));
    }
    EXPECT_FALSE(NoteExists());
    EXPECT_TRUE(tltest::LogContains(GetCurrentProcessId(), u"error Finish: Finish.txt cannot be written", log_start));
    EXPECT_FALSE(tltest::LogContains(GetCurrentProcessId(), u"Finish.txt written", log_start));
}

}  // namespace
