// Setup.exe as a deployment tool runs it: /Silent /NoMessageBoxes /ResultCode /Log=<file> /Dir=<folder>.
// Each run must end by itself (nothing waits for a person), say what happened in its exit code and
// in the last line of its log, and keep its old behaviour without the switches.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/app/distribution_fixture.h"
#include "tests/copy/copy_test_support.h"
#include "tests/support/win_test_support.h"
#include "tests/support/window_driver.h"
#include "tests/support/wizard_driver.h"

namespace {

using tltest::Distribution;

constexpr const char16_t* kDefaultDestination = tltest::InstalledProductCleanup::kDestination;
// Long enough for an install; a run that waited on a box would be ended at this limit, unfinished.
constexpr DWORD kRunLimitMs = 120000;

// The lines of a UTF-8 log file, without their line ends.
std::vector<std::string> FileLines(const TLString& path) {
    const std::string bytes = tltest::ReadFileBytes(path);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

bool AnyLineHas(const std::vector<std::string>& lines, std::string_view text) {
    for (const std::string& line : lines)
        if (line.find(text) != std::string::npos) return true;
    return false;
}

TLString LastLogLine(const tltest::StartedProgram& setup) {
    const TLStringArray lines = tltest::LogLinesOf(setup);
    return lines.IsEmpty() ? TLString() : lines[lines.GetCount() - 1];
}

class UnattendedSetup : public ::testing::Test {
protected:
    tltest::InstalledProductCleanup installed_;
    tltest::PendingRenamesGuard renames_;
};

// The whole distributor's command line: the product lands in the folder named, the named log (made
// with its folders) holds the run from the tools library's first line to the result, and the exit code
// says success.
TEST_F(UnattendedSetup, DistributorCommandLineInstallsWhereAskedAndLogsWhereAsked) {
    Distribution distribution;
    const TLString destination = distribution.scratch().Path(u"Chosen Place\\Tonehall\\");
    const TLString log = distribution.scratch().Path(u"deploy logs\\run 1\\setup.log");
    // No backslash before a closing quote: it would escape the quote, as on every Windows command line.
    const TLString folder_argument = destination.Left(destination.length() - 1);
    tltest::StartedProgram setup(distribution.SetupExe(), u"/Silent /NoMessageBoxes /ResultCode /NoRun /Log=\"" + log +
                                                              u"\" /Dir=\"" + folder_argument + u"\"");
    const tltest::ProgramResult result = setup.Wait(kRunLimitMs);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exit_code, 0u);
    EXPECT_TRUE(tltest::FileExists(destination + u"Tonehall.exe"));
    EXPECT_FALSE(tltest::FileExists(TLString(kDefaultDestination) + u"Tonehall.exe"));

    const std::vector<std::string> lines = FileLines(log);
    ASSERT_FALSE(lines.empty()) << "no log at the named place";
    EXPECT_TRUE(AnyLineHas(lines, "TLTools: Loaded")) << "the tools library's lines from before the switches";
    EXPECT_TRUE(AnyLineHas(lines, "Destination folder from the command line: " + destination.ToUtf8()));
    EXPECT_TRUE(AnyLineHas(lines, "CInstallHelper::CopyAndRegister: Finish (result: 1)"));
    EXPECT_NE(lines.back().find("CInstallApp::ExitInstance: Result: 0 (succeeded)"), std::string::npos) << lines.back();
    EXPECT_NE(LastLogLine(setup).Find(u"Result: 0 (succeeded)"), TLString::npos) << LastLogLine(setup);
}

// A file of the destination held open by a running program. A core library in use is a Retry/Cancel
// question answered Cancel without a box: the install is undone and fails, and the log names the file.
// Any other program file in use is staged for the next start of Windows: the install worked but needs
// a restart.
TEST_F(UnattendedSetup, FileInUseEndsAsFailureOrRestart) {
    struct Case {
        const char16_t* file;
        DWORD exit_code;
        std::u16string_view last_line;
        bool question_asked;
    };
    const Case cases[] = {
        {u"TLImage.dll", 1603, u"Result: 1603 (failed): the program files could not be installed", true},
        {u"Tonehall.exe", 3010, u"Result: 3010 (succeeded, restart required)", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(TLString(c.file).ToUtf8());
        tltest::ForgetInstalledProduct();
        Distribution distribution;
        const TLString in_use = TLString(kDefaultDestination) + c.file;
        ASSERT_TRUE(tltest::MakeFolders(kDefaultDestination));
        ASSERT_TRUE(CopyFileW(distribution.Path(u"Tunevault\\" + TLString(c.file)).wc(), in_use.wc(), FALSE));
        tltest::HeldFile held(in_use);
        ASSERT_TRUE(held.held());

        tltest::StartedProgram setup(distribution.SetupExe(), u"/Silent /NoMessageBoxes /ResultCode /NoRun");
        const tltest::ProgramResult result = setup.Wait(kRunLimitMs);
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exit_code, c.exit_code);
        EXPECT_NE(LastLogLine(setup).Find(c.last_line), TLString::npos) << LastLogLine(setup);
        EXPECT_EQ(tltest::LogContains(setup,
                                      u"Nobody is there to answer, so no box is shown and the safe answer is "
                                      u"taken: \"Failure Copying System File\": "),
                  c.question_asked);
        if (c.question_asked) {
            EXPECT_TRUE(tltest::LogContains(setup, u"'" + in_use + u"' is not in use. -> \"Cancel\""));
        }
    }
}

// The person ends the wizard before anything is installed.
TEST_F(UnattendedSetup, CancelledWizardGives1602) {
    Distribution distribution;
    tltest::StartedProgram setup(distribution.SetupExe(), u"/ResultCode");
    EXPECT_EQ(tltest::CloseWizardAndWait(setup).exit_code, 1602u);
    EXPECT_NE(LastLogLine(setup).Find(u"Result: 1602 (cancelled): the install was cancelled"), TLString::npos)
        << LastLogLine(setup);
}

// A folder inside the Windows folder is refused as if typed: the refusal is logged instead of shown,
// the Silent run ends there, and nothing is installed. Without /ResultCode the exit code stays 0.
TEST_F(UnattendedSetup, DestinationInsideTheWindowsFolderIsRefused) {
    struct Case {
        std::u16string_view switches;
        DWORD exit_code;
        std::u16string_view last_line;
    };
    const Case cases[] = {
        {u"/ResultCode", 1603, u"Result: 1603 (failed): the destination folder"},
        {u"", 0, u"Result: failed (exit code 0): the destination folder"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(TLString(c.switches).ToUtf8());
        Distribution distribution;
        tltest::StartedProgram setup(distribution.SetupExe(),
                                     u"/Silent /NoMessageBoxes /Dir=C:\\windows\\Tonehall " + TLString(c.switches));
        const tltest::ProgramResult result = setup.Wait(kRunLimitMs);
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exit_code, c.exit_code);
        EXPECT_TRUE(tltest::LogContains(setup, u"\"Invalid Destination Folder\": "));
        EXPECT_FALSE(tltest::LogContains(setup, u"CInstallHelper::CopyAndRegister: Start"));
        EXPECT_NE(LastLogLine(setup).Find(c.last_line), TLString::npos) << LastLogLine(setup);
        EXPECT_FALSE(tltest::FileExists(u"C:\\windows\\Tonehall\\Tonehall.exe"));
    }
}

// A log named without a folder lands in the current folder of whoever started the installer. One that
// cannot be made (its folder would have to be made inside a file) costs a line in the general log,
// never the run.
TEST_F(UnattendedSetup, LogFileNamedOnTheCommandLine) {
    struct Case {
        const char16_t* argument;  // below the distribution, the current folder of the run
        const char16_t* made;      // the file the run writes, or null
    };
    const Case cases[] = {{u"logs\\setup.log", u"logs\\setup.log"}, {u"Install.xml\\setup.log", nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(TLString(c.argument).ToUtf8());
        Distribution distribution;
        tltest::StartedProgram setup(
            distribution.SetupExe(),
            u"/Silent /NoMessageBoxes /ResultCode /Dir=C:\\windows\\x /Log=" + TLString(c.argument),
            distribution.path());
        const tltest::ProgramResult result = setup.Wait(kRunLimitMs);
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exit_code, 1603u) << "the refused folder, not the log, ends this run";
        if (c.made) {
            const std::vector<std::string> lines = FileLines(distribution.Path(c.made));
            ASSERT_FALSE(lines.empty());
            EXPECT_NE(lines.back().find("Result: 1603 (failed)"), std::string::npos) << lines.back();
        } else {
            EXPECT_TRUE(tltest::LogContains(
                setup, u"The log file \"" + TLString(c.argument) + u"\" named on the command line cannot be written"));
        }
    }
}

struct BrokenCase {
    const char* name;
    const char16_t* damaged_file;
    std::string_view bytes;      // what the file is replaced with
    std::u16string_view reason;  // in the "Critical Error" line
    bool tools_library_loads;    // only then is there a general log
};

class BrokenDistributionUnattended : public ::testing::TestWithParam<BrokenCase> {};

// With /NoMessageBoxes the "Critical Error" of a damaged distribution ends the run at once, its reason
// in the named log (the only one when the tools library itself is what failed) and 1603 as the code.
TEST_P(BrokenDistributionUnattended, EndsAtOnceWithTheReasonInTheLog) {
    const BrokenCase& c = GetParam();
    Distribution distribution;
    ASSERT_TRUE(distribution.scratch().WriteFile(c.damaged_file, c.bytes));
    const TLString log = distribution.scratch().Path(u"setup.log");
    tltest::StartedProgram setup(distribution.SetupExe(), u"/Silent /NoMessageBoxes /ResultCode /Log=\"" + log + u"\"");
    const tltest::ProgramResult result = setup.Wait(kRunLimitMs);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exit_code, 1603u);
    const std::vector<std::string> lines = FileLines(log);
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(AnyLineHas(lines, "\"Critical Error\": The following module has failed to load:"));
    EXPECT_TRUE(AnyLineHas(lines, TLString(c.reason).ToUtf8()));
    EXPECT_NE(lines.back().find("Result: 1603 (failed): the product's tools library or its product information"),
              std::string::npos)
        << lines.back();
    EXPECT_EQ(tltest::LogContains(setup, u"\"Critical Error\": "), c.tools_library_loads);
}

INSTANTIATE_TEST_SUITE_P(Damaged, BrokenDistributionUnattended,
                         ::testing::Values(BrokenCase{"ProductInformation", u"Tunevault\\Product.xml",
                                                      "<TLProduct><Product>", u"Product.xml\" is not valid", true},
                                           BrokenCase{"ToolsLibrary", u"Tunevault\\TLTools.dll", "not a library",
                                                      u"Failed to load TLTools", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// Without the new switches the damaged product information still shows its box, and once it is
// answered the run ends with 0; the box and its answer are in the log.
TEST(UnattendedSetupDefaults, DamagedProductInformationShowsTheBoxAndLogsIt) {
    Distribution distribution;
    ASSERT_TRUE(distribution.scratch().WriteFile(u"Tunevault\\Product.xml", "<TLProduct><Product>"));
    tltest::StartedProgram setup(distribution.SetupExe(), u"/Silent");
    HWND message = tltest::WaitForDialog(u"Critical Error", setup.id());
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(tltest::PressButton(message, u"OK"));
    const tltest::ProgramResult result = setup.Wait();
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exit_code, 0u);
    EXPECT_TRUE(
        tltest::LogContains(setup, u"MessageBox: \"Critical Error\": The following module has failed to load:"));
    EXPECT_TRUE(tltest::LogContains(setup, u"-> \"OK\""));
    EXPECT_NE(LastLogLine(setup).Find(u"Result: failed (exit code 0)"), TLString::npos) << LastLogLine(setup);
}

}  // namespace
