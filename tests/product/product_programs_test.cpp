// The product's main program and service as the installer meets them: they answer "/Register" and
// "/Stop", and the main program runs with its window until the tools library closes it.
#include <gtest/gtest.h>

#include "core/process/tl_process_info_block.h"
#include "core/tools/module_loader.h"
#include "core/tools/tools.h"
#include "tests/support/win_test_support.h"

namespace {

constexpr char16_t kCommandsKey[] = u"Software\\C. Orvane\\Tonehall 27\\Commands";

TLString ProgramFile(std::u16string_view name) { return tltest::BuildPath(u"distribution/Tunevault/") + name; }

TEST(ProductPrograms, AnswerTheirCommandsAndEnd) {
    for (const char16_t* program : {u"Tonehall.exe", u"TLService.exe"}) {
        for (const char16_t* command : {u"/Register", u"/Stop"}) {
            SCOPED_TRACE(TLString(program) + u" " + command);
            tltest::RegistryCleanup commands(HKEY_CURRENT_USER, kCommandsKey);
            tltest::StartedProgram started(ProgramFile(program), command);
            const auto result = started.Wait(30000);
            EXPECT_TRUE(result.finished);
            EXPECT_EQ(result.exit_code, 0u);
            TLString recorded;
            EXPECT_TRUE(tltest::ReadRegistryString(HKEY_CURRENT_USER, kCommandsKey, program, &recorded));
            EXPECT_EQ(recorded, command);
            EXPECT_TRUE(tltest::LogContains(started, TLString(program) + u": Answered " + command));
        }
    }
}

// Started normally, the main program is what the tools library calls the running product: found by
// its window, handed command lines, and closed.
TEST(ProductPrograms, MainProgramRunsUntilTheToolsLibraryClosesIt) {
    TLProcessInfoBlock* block = TLProcessInfoBlock::Get();
    ASSERT_NE(block, nullptr);
    block->SetString(TLProcessInfoBlock::kProgramFolder, tltest::BuildPath(u"distribution/Tunevault/"));
    ASSERT_TRUE(tltools::TLModuleLoader::Get().Load(tltools::kToolsSlot));
    tltools::ToolsInterface* tools = tools::Interface();
    tltools::IRunningProduct* running = tools->GetRunningProduct(1);
    EXPECT_FALSE(running->IsRunning());

    tltest::StartedProgram product(ProgramFile(u"Tonehall.exe"), u"");
    for (int i = 0; i < 300 && !running->IsRunning(); ++i) Sleep(50);
    ASSERT_TRUE(running->IsRunning());
    EXPECT_TRUE(tools->GetProcessPosting(1)->PostCommandLine(u"/play \"C:\\Music\\a.mp3\""));
    EXPECT_TRUE(running->Close(10000));
    EXPECT_FALSE(running->IsRunning());
    const auto result = product.Wait(10000);
    EXPECT_TRUE(result.finished);
    EXPECT_EQ(result.exit_code, 0u);
    EXPECT_TRUE(tltest::LogContains(product, u"Tonehall.exe: Received /play \"C:\\Music\\a.mp3\""));
    EXPECT_TRUE(tltest::LogContains(product, u"Tonehall.exe: Closing (WM_CLOSE, wParam 0)"));

    tltools::TLModuleLoader::Get().UnloadAll();
    block->SetString(TLProcessInfoBlock::kProgramFolder, u"");
}

}  // namespace
