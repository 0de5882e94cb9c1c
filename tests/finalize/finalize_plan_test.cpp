// The finalize list, the RunOnce data, the restart decision and the finish note as data.
#include "engine/finalize/finalize_plan.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/xml/file_text.h"

namespace {

using engine::FinalizeValue;
using engine::PendingOperations;

std::vector<std::pair<std::string, std::string>> AsText(const std::vector<FinalizeValue>& values) {
    std::vector<std::pair<std::string, std::string>> text;
    for (const FinalizeValue& value : values) text.emplace_back(value.name.ToUtf8(), value.data.ToUtf8());
    return text;
}

TEST(FinalizeList, InstallsAndDeletionsAreNumberedApartInListOrder) {
    PendingOperations pending;
    pending.files = {u"C:\\T\\Setup\\a.dll|C:\\T\\a.dll", u"_DELETEFILE|C:\\T\\old.dll",
                     u"C:\\T\\Setup\\b.exe|C:\\T\\b.exe"};
    pending.registrations = {u"_REGISTERFILE|C:\\T\\a.dll", u"_REGISTERFILE|C:\\T\\c.ocx"};

    using Rows = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(AsText(engine::FinalizeFileValues(pending)), (Rows{
                                                               {"Install File (0)", "C:\\T\\Setup\\a.dll|C:\\T\\a.dll"},
                                                               {"Delete File (0)", "_DELETEFILE|C:\\T\\old.dll"},
                                                               {"Install File (1)", "C:\\T\\Setup\\b.exe|C:\\T\\b.exe"},
                                                           }));
    EXPECT_EQ(AsText(engine::FinalizeRegistrationValues(pending)),
              (Rows{
                  {"Register File (0)", "_REGISTERFILE|C:\\T\\a.dll"},
                  {"Register File (1)", "_REGISTERFILE|C:\\T\\c.ocx"},
              }));
    EXPECT_TRUE(engine::HasFinalizeWork(pending));
}

TEST(FinalizeList, TheDeletionMarkerIsMatchedWithItsCase) {
    PendingOperations pending;
    pending.files = {u"_deletefile|C:\\T\\x.dll"};
    EXPECT_EQ(engine::FinalizeFileValues(pending)[0].name, u"Install File (0)");
}

TEST(FinalizeList, EmptyListsLeaveNothingToDo) {
    PendingOperations pending;
    pending.restart_required = true;
    EXPECT_FALSE(engine::HasFinalizeWork(pending));
    pending.registrations = {u"_REGISTERFILE|C:\\T\\a.dll"};
    EXPECT_TRUE(engine::HasFinalizeWork(pending));
}

TEST(RunOnce, CommandQuotesTheProgramAndTheSwitch) {
    const TLString command = engine::RunOnceCommand(u"C:\\Program Files\\Tonehall 27\\");
    EXPECT_EQ(command, u"\"C:\\Program Files\\Tonehall 27\\PackageInstaller.exe\" \"/FinishInstall\"");
    EXPECT_EQ(command.length(), 68u);
}

TEST(PendingRecords, SplitAtTheFirstBar) {
    struct Case {
        std::u16string_view record, first, second;
    };
    const Case cases[] = {
        {u"C:\\S\\a.dll|C:\\D\\a.dll", u"C:\\S\\a.dll", u"C:\\D\\a.dll"},
        {u"_DELETEFILE|C:\\D\\x|y", u"_DELETEFILE", u"C:\\D\\x|y"},
        {u"C:\\S\\pkg.qvp|", u"C:\\S\\pkg.qvp", u""},
        {u"|C:\\D\\a.dll", u"", u"C:\\D\\a.dll"},
        {u"no bar", u"no bar", u""},
    };
    for (const Case& c : cases) {
        const engine::PendingRecord record = engine::SplitPendingRecord(TLString(c.record));
        EXPECT_EQ(record.first, c.first) << TLString(c.record);
        EXPECT_EQ(record.second, c.second) << TLString(c.record);
    }
}

struct DecisionCase {
    const char* name;
    std::vector<std::u16string_view> files;
    bool restart_flag;
    bool no_run;
    bool tools_available;
    bool restart;
    int action;
};

class FinishDecisionTable : public ::testing::TestWithParam<DecisionCase> {};

TEST_P(FinishDecisionTable, RestartAndAction) {
    const DecisionCase& c = GetParam();
    PendingOperations pending;
    for (std::u16string_view file : c.files) pending.files.Add(TLString(file));
    pending.restart_required = c.restart_flag;
    const engine::FinishDecision decision = engine::DecideFinish(pending, c.no_run, c.tools_available);
    EXPECT_EQ(decision.restart_required, c.restart);
    EXPECT_EQ(decision.action, c.action);
}

constexpr std::u16string_view kShellExtension = u"C:\\T\\Setup\\TLShellExt.dll|C:\\T\\TLShellExt.DLL";
constexpr std::u16string_view kProgram = u"C:\\T\\Setup\\Tonehall.exe|C:\\T\\Tonehall.exe";

INSTANTIATE_TEST_SUITE_P(
    Cases, FinishDecisionTable,
    ::testing::Values(
        DecisionCase{"NothingPending", {}, false, false, true, false, engine::kFinishRunProgram},
        DecisionCase{"NothingPendingNoRun", {}, false, true, true, false, engine::kFinishNothing},
        DecisionCase{"FlagAlone", {}, true, true, true, true, engine::kFinishRestart},
        DecisionCase{"PendingProgram", {kProgram}, false, false, true, true, engine::kFinishRestart},
        DecisionCase{
            "PendingDeletion", {u"_DELETEFILE|C:\\T\\old.dll"}, false, true, true, true, engine::kFinishRestart},
        DecisionCase{"ShellExtensionAlone", {kShellExtension}, false, false, true, false, engine::kFinishRunProgram},
        DecisionCase{
            "ShellExtensionWithoutTools", {kShellExtension}, false, false, false, true, engine::kFinishRestart},
        DecisionCase{
            "ShellExtensionAndProgram", {kShellExtension, kProgram}, false, false, true, true, engine::kFinishRestart},
        DecisionCase{
            "BarFirstIsNoRecord", {u"|C:\\T\\a.dll", u"no bar"}, false, false, true, false, engine::kFinishRunProgram}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FinishPlan, SilentNeverRestartsNorWritesTheNote) {
    for (int action : {engine::kFinishNothing, engine::kFinishRestart, engine::kFinishRunProgram}) {
        const engine::FinishPlan plan = engine::PlanFinish(action, true, true);
        EXPECT_FALSE(plan.confirm_restart) << action;
        EXPECT_FALSE(plan.write_note) << action;
    }
}

TEST(FinishPlan, EachActionDoesItsOneThing) {
    struct Case {
        int action;
        bool program_exists, restart, note;
    };
    const Case cases[] = {
        {engine::kFinishNothing, true, false, false},
        {engine::kFinishRestart, true, true, false},
        {engine::kFinishRunProgram, true, false, true},
        {engine::kFinishRunProgram, false, false, false},
        {7, true, false, false},
    };
    for (const Case& c : cases) {
        const engine::FinishPlan plan = engine::PlanFinish(c.action, false, c.program_exists);
        EXPECT_EQ(plan.confirm_restart, c.restart) << c.action;
        EXPECT_EQ(plan.write_note, c.note) << c.action;
    }
}

TEST(FinishNote, ByteOrderMarkHeaderAndPathWithoutLineEnd) {
    const std::string bytes =
        tlxml::EncodeFileText(engine::FinishNoteText(u"C:\\T\\\u00c9.exe"), tlxml::TextEncoding::kUtf16LE);
    const std::string expected = std::string("\xFF\xFE", 2) +
                                 std::string(
                                     "T\0L\0F\0I\0"
                                     "0\0"
                                     "0\0"
                                     "0\0"
                                     "1\0"
                                     "\r\0\n\0",
                                     20) +
                                 std::string("C\0:\0\\\0T\0\\\0\xC9\0.\0e\0x\0e\0", 20);
    EXPECT_EQ(bytes, expected);
}

TEST(MediaServerEdition, RecognisedByItsProgramName) {
    EXPECT_TRUE(engine::IsMediaServerEdition(u"GantryServer.exe"));
    EXPECT_TRUE(engine::IsMediaServerEdition(u"Tonehall gantry.exe"));
    EXPECT_FALSE(engine::IsMediaServerEdition(u"Tonehall.exe"));
}

}  // namespace
