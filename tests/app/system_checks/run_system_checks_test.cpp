// The system checks over described machines: which messages the user sees, in which order, what is
// done to the machine, and whether the wizard may open.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/system_checks/cpu_features.h"
#include "app/system_checks/run_system_checks.h"
#include "app/system_checks/running_copy_check.h"
#include "core/tools/tools_interface.h"

// The tables name only what differs from the defaults; GCC would ask for every member.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

using namespace syschecks;
using tltools::IMessageService;

enum class Closes { kNever, kAfterWindowClose, kByOwnMeans, kWhenAskedByTheUser };

struct Situation {
    const char* name;
    bool rights = true;
    bool silent = false;
    bool running = false;
    Closes closes = Closes::kNever;
    int answer = IMessageService::kResultYes;
    const char16_t* closing_name = u"Tonehall";
    const char16_t* installed_folder = u"";
    BrowserComponent browser{true, u"9.11.9600.18376"};
    int browser_answer = kBrowserQuitSetup;
    uint32_t cpu = kCpuComputed | kCpuMmx | kCpuSse | kCpuSse2;
    uint32_t os = kOsWindows7;

    bool passes = true;
    std::vector<std::u16string> titles;  // of the messages shown, in order
    std::vector<std::string> acts;
};

constexpr int kPollsBeforeWindowCloses = 3;

// A machine and a user as a situation describes them; the clock moves only between polls.
class DescribedMachine final : public SystemCheckHost {
public:
    explicit DescribedMachine(const Situation& s) : s_(s), running_(s.running) {}

    bool HasRights() override { return s_.rights; }
    bool ProductRunning() override {
        if (running_ && s_.closes == Closes::kAfterWindowClose && polls_ >= kPollsBeforeWindowCloses) running_ = false;
        return running_;
    }
    void PostCloseToProductWindow() override {
        acts.push_back("WM_CLOSE");
        polls_ = 0;
    }
    void CloseProductByItsOwnMeans() override {
        acts.push_back("close by own means");
        if (s_.closes == Closes::kByOwnMeans) running_ = false;
    }
    int64_t Milliseconds() override { return now_; }
    void PauseBetweenPolls() override {
        now_ += 100;
        ++polls_;
    }
    int ShowMessage(const CheckMessage& message) override {
        titles.emplace_back(message.title.view());
        if (message.buttons == IMessageService::kYesNo) return s_.answer;
        if (s_.closes == Closes::kWhenAskedByTheUser && message.title.StartsWith(u"Please Close ")) running_ = false;
        return IMessageService::kResultOk;
    }
    TLString InstalledProductFolder() override { return s_.installed_folder; }
    void RunStopCommand(const TLString& program) override { acts.push_back("/Stop " + program.ToUtf8()); }
    BrowserComponent Browser() override { return s_.browser; }
    int ShowBrowserDialog() override {
        acts.push_back("browser dialog");
        return s_.browser_answer;
    }
    void OpenBrowserDownloadPage() override { acts.push_back("download page"); }
    uint32_t CpuFlags() override { return s_.cpu; }
    OsInfo Os() override { return OsInfo{s_.os, u"described"}; }

    std::vector<std::u16string> titles;
    std::vector<std::string> acts;
    int64_t now_ = 1000;
    int polls_ = 0;

private:
    const Situation& s_;
    bool running_;
};

const Situation kSituations[] = {
    {.name = "AllPass"},
    {.name = "NoRightsWhileTheProductRuns",
     .rights = false,
     .running = true,
     .passes = false,
     .titles = {u"Information"}},
    {.name = "RunningCopyClosedAfterYes",
     .running = true,
     .closes = Closes::kByOwnMeans,
     .titles = {u"Tonehall Open"},
     .acts = {"close by own means"}},
    {.name = "NoToTheQuestion",
     .running = true,
     .closes = Closes::kByOwnMeans,
     .answer = IMessageService::kResultNo,
     .passes = false,
     .titles = {u"Tonehall Open"}},
    {.name = "SilentClosesWithoutAsking",
     .silent = true,
     .running = true,
     .closes = Closes::kByOwnMeans,
     .acts = {"close by own means"}},
    {.name = "SilentWithACopyThatWillNotClose",
     .silent = true,
     .running = true,
     .passes = false,
     .titles = {u"Please Close Tonehall", u"Install Wizard Error"},
     .acts = {"close by own means"}},
    {.name = "UserClosesTheCopyWhenAsked",
     .running = true,
     .closes = Closes::kWhenAskedByTheUser,
     .titles = {u"Tonehall Open", u"Please Close Tonehall"},
     .acts = {"close by own means"}},
    {.name = "GantryClosesThroughItsWindow",
     .running = true,
     .closes = Closes::kAfterWindowClose,
     .closing_name = u"Tonehall gANTRY Server",
     .titles = {u"Tonehall Open"},
     .acts = {"WM_CLOSE"}},
    {.name = "GantryThatWillNotClose",
     .silent = true,
     .running = true,
     .closing_name = u"GantryServer",
     .passes = false,
     .titles = {u"Please Close GantryServer", u"Install Wizard Error"},
     .acts = {"WM_CLOSE"}},
    {.name = "ServiceStoppedInTheInstalledFolder",
     .installed_folder = u"C:\\Program Files\\Tonehall 27",
     .acts = {"/Stop C:\\Program Files\\Tonehall 27\\TLService.exe"}},
    {.name = "BrowserComponentMissing", .browser = {false, u"11.0.0.0"}, .passes = false, .acts = {"browser dialog"}},
    {.name = "BrowserComponentTooOldAndDownloadChosen",
     .browser = {true, u"8.0.7601.17514"},
     .browser_answer = kBrowserDownload,
     .passes = false,
     .acts = {"browser dialog", "download page"}},
    {.name = "BrowserVersionEqualToTheMinimum", .browser = {true, u"9.0.0.0"}},
    {.name = "Sse2WithoutMmx",
     .cpu = kCpuComputed | kCpuSse | kCpuSse2,
     .passes = false,
     .titles = {u"SSE2 Not Available"}},
    {.name = "MmxWithoutSse2",
     .cpu = kCpuComputed | kCpuMmx | kCpuSse,
     .passes = false,
     .titles = {u"SSE2 Not Available"}},
    {.name = "WindowsNt4", .os = kOsWindowsNt, .passes = false, .titles = {u"Operating System Not Supported"}},
    {.name = "WindowsMe", .os = kOsWindowsMe, .passes = false, .titles = {u"Operating System Not Supported"}},
    {.name = "UnknownOs", .os = kOsUnknown, .passes = false, .titles = {u"Operating System Not Supported"}},
    {.name = "Windows2000", .os = kOsWindows2000},
    {.name = "WindowsNew", .os = kOsWindowsNew},
    {.name = "CodeBeyondTheNtRange", .os = 2000, .passes = false, .titles = {u"Operating System Not Supported"}},
    // The order: the first failing check is the only one the user hears of.
    {.name = "EverythingWrongButRights",
     .running = true,
     .closes = Closes::kByOwnMeans,
     .browser = {false, u"1.0.0.0"},
     .cpu = kCpuComputed,
     .os = kOsUnknown,
     .passes = false,
     .titles = {u"Tonehall Open"},
     .acts = {"close by own means", "browser dialog"}},
    {.name = "ProcessorBeforeWindows",
     .cpu = kCpuComputed,
     .os = kOsUnknown,
     .passes = false,
     .titles = {u"SSE2 Not Available"}},
};

TEST(RunSystemChecks, ShowsTheOneMessageOfTheFirstFailingCheck) {
    for (const Situation& s : kSituations) {
        SCOPED_TRACE(s.name);
        DescribedMachine machine(s);
        const CheckSettings settings{s.silent, {s.closing_name, u"Tonehall"}, u"9.0.0.0"};
        EXPECT_EQ(RunSystemChecks(machine, settings), s.passes);
        EXPECT_EQ(machine.titles, s.titles);
        EXPECT_EQ(machine.acts, s.acts);
    }
}

// A product closed through its window gets five seconds, polled, and not a poll more.
TEST(RunSystemChecks, WaitsFiveSecondsForAGantryProductToClose) {
    const Situation& stubborn = kSituations[8];
    ASSERT_STREQ(stubborn.name, "GantryThatWillNotClose");
    DescribedMachine machine(stubborn);
    RunSystemChecks(machine, CheckSettings{true, {stubborn.closing_name, u"Tonehall"}, u"9.0.0.0"});
    EXPECT_EQ(machine.now_ - 1000, kCloseWaitMilliseconds);
}

TEST(RunSystemChecks, GantryRuleIgnoresLetterCaseAndNeedsTheWord) {
    EXPECT_TRUE(ClosesThroughItsWindow(u"Tonehall GANTRY"));
    EXPECT_TRUE(ClosesThroughItsWindow(u"gantry"));
    EXPECT_FALSE(ClosesThroughItsWindow(u"Tonehall"));
    EXPECT_FALSE(ClosesThroughItsWindow(u"Gant ry"));
    EXPECT_FALSE(ClosesThroughItsWindow(u""));
}

// Each message in full, English, with the product's names put in after translation.
TEST(CheckMessages, CarryTheirExactTitlesTextsAndButtons) {
    struct MessageCase {
        CheckMessageId id;
        const char16_t* title;
        const char16_t* text;
        int buttons;
    };
    const MessageCase cases[] = {
        {CheckMessageId::kNoRights, u"Information",
         u"Sorry, but you do not have sufficient rights to install the program.\r\nPlease make sure you have "
         u"administrative rights before you begin the installation.",
         IMessageService::kOk},
        {CheckMessageId::kCloseRunningCopy, u"Tonehall Open",
         u"Install Wizard has detected a running copy of Tonehall.\r\n\r\nDo you want Install Wizard to close "
         u"Tonehall and continue setup?",
         IMessageService::kYesNo},
        {CheckMessageId::kPleaseClose, u"Please Close Tonehall Server",
         u"Install Wizard could not close the running copy of Tonehall Server.\r\nPlease manually close Tonehall "
         u"Server and then press 'OK'.\r\n\r\nIf you can not close Tonehall Server restart your computer and run "
         u"Install Wizard again.",
         IMessageService::kOk},
        {CheckMessageId::kStillRunning, u"Install Wizard Error",
         u"Tonehall Server is still running.  Install Wizard can not continue.\r\n\r\nPlease restart your computer "
         u"and run Install Wizard again.",
         IMessageService::kOk},
        {CheckMessageId::kNoSse2, u"SSE2 Not Available",
         u"The Tonehall Install Wizard failed to detect an SSE2-capable CPU.\r\n\r\nTonehall requires SSE2 "
         u"capabilities to run.  Setup will now abort.",
         IMessageService::kOk},
        {CheckMessageId::kWindowsTooOld, u"Operating System Not Supported",
         u"The Tonehall Install Wizard can not run on this version of Microsoft Windows.\r\n\r\nTonehall requires "
         u"Windows 2000 or later.  Setup will now abort.",
         IMessageService::kOk},
    };
    const ProductNames names{u"Tonehall Server", u"Tonehall"};
    for (const MessageCase& c : cases) {
        const CheckMessage message = ComposeCheckMessage(c.id, names);
        EXPECT_EQ(message.title, c.title);
        EXPECT_EQ(message.text, c.text);
        EXPECT_EQ(message.buttons, c.buttons) << message.title;
    }
}

}  // namespace
