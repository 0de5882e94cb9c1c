#include "wizard/rules/destination_rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using wizard_rules::DestinationProblem;

struct ProposalCase {
    const char* name;
    bool portable, existing, found_32bit;
    std::u16string_view existing_folder, remembered, configured, program_files;
    std::u16string_view expected;
};

class ProposalTable : public ::testing::TestWithParam<ProposalCase> {};

TEST_P(ProposalTable, FirstRuleWithAFolderWins) {
    const ProposalCase& c = GetParam();
    InstallSession session;
    session.PortableMode = c.portable;
    session.ExistingInstallationFound = c.existing;
    session.Is32BitInstallationFound = c.found_32bit;
    const wizard_rules::ProposalFacts facts{TLString(c.existing_folder), TLString(c.remembered), TLString(c.configured),
                                            TLString(c.program_files), u"Tonehall 27"_tl};
    EXPECT_EQ(wizard_rules::ProposeDestination(session, facts), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Machines, ProposalTable,
    ::testing::Values(ProposalCase{"PortableProposesNothing", true, true, false, u"D:\\Old", u"D:\\Kept", u"C:\\Cfg",
                                   u"", u""},
                      ProposalCase{"ExistingInstallation", false, true, false, u"D:\\Old", u"D:\\Kept", u"C:\\Cfg", u"",
                                   u"D:\\Old\\"},
                      ProposalCase{"ExistingFlagWithoutFolder", false, true, false, u"", u"D:\\Kept\\\\", u"C:\\Cfg",
                                   u"", u"D:\\Kept\\"},
                      ProposalCase{"Remembered", false, false, false, u"", u"D:\\Kept", u"C:\\Cfg", u"", u"D:\\Kept\\"},
                      ProposalCase{"RememberedAmong32BitProgramsIsIgnored", false, false, false, u"",
                                   u"C:\\Program Files (x86)\\Tonehall 27\\", u"C:\\Cfg\\", u"", u"C:\\Cfg\\"},
                      ProposalCase{"RememberedIgnoredBeside32BitInstallation", false, false, true, u"", u"D:\\Kept",
                                   u"C:\\Cfg", u"", u"C:\\Cfg\\"},
                      ProposalCase{"DefaultUnderProgramFiles", false, false, false, u"", u"", u"", u"E:\\Programs",
                                   u"E:\\Programs\\C Orvane\\Tonehall 27\\"},
                      ProposalCase{"DefaultWhenProgramFilesIsUnknown", false, false, false, u"", u"", u"", u"",
                                   u"C:\\Program Files\\C Orvane\\Tonehall 27\\"}),
    [](const auto& info) { return std::string(info.param.name); });

constexpr int64_t kMiB = 1 << 20;

struct CheckCase {
    const char* name;
    std::u16string_view folder;
    DestinationProblem expected;
    int64_t free_bytes = 100 * kMiB;
    bool can_make = true;
};

class CheckTable : public ::testing::TestWithParam<CheckCase> {};

// The text checks run before anything is made on disk, and the free space is asked of a folder that
// exists by then.
TEST_P(CheckTable, FirstFailingRuleGivesTheProblem) {
    const CheckCase& c = GetParam();
    std::vector<std::string> acts;
    wizard_rules::DestinationFacts facts;
    facts.windows_folder = u"C:\\windows\\"_tl;
    facts.preexisting_program_folders = {u"D:\\Apps\\Tonehall Radio\\"_tl, u"\\\\nas\\media\\Tonehall Tools\\"_tl};
    facts.shell_folders = {u"C:\\users\\bob\\"_tl, u"C:\\users\\bob\\Documents\\"_tl, u"C:\\Program Files\\"_tl,
                           u"C:\\ProgramData\\"_tl};
    facts.make_folder = [&](const TLString& folder) {
        acts.push_back("make " + folder.ToUtf8());
        return c.can_make;
    };
    facts.free_space = [&](const TLString& folder) {
        acts.push_back("free " + folder.ToUtf8());
        return c.free_bytes;
    };
    const TLString folder(c.folder);
    EXPECT_EQ(wizard_rules::CheckDestination(folder, facts), c.expected);

    std::vector<std::string> expected_acts;
    if (c.expected == DestinationProblem::kNone || c.expected >= DestinationProblem::kNotCreated)
        expected_acts.push_back("make " + folder.ToUtf8());
    if (c.expected == DestinationProblem::kNone || c.expected == DestinationProblem::kLowDiskSpace)
        expected_acts.push_back("free " + folder.ToUtf8());
    EXPECT_EQ(acts, expected_acts);
}

// The process information block holds 260 units of a folder.
const std::u16string kLongestFolder = u"C:\\" + std::u16string(256, u'x') + u"\\";
const std::u16string kTooLongFolder = u"C:\\" + std::u16string(257, u'x') + u"\\";

INSTANTIATE_TEST_SUITE_P(
    Folders, CheckTable,
    ::testing::Values(
        CheckCase{"Empty", u"", DestinationProblem::kEmpty},
        // Windows would join these to the process's current folder.
        CheckCase{"BareName", u"Tonehall\\", DestinationProblem::kRelative},
        CheckCase{"UpFromTheCurrentFolder", u"..\\x\\", DestinationProblem::kRelative},
        CheckCase{"RootOfTheCurrentDrive", u"\\Tonehall\\", DestinationProblem::kRelative},
        CheckCase{"DriveWithoutItsRoot", u"C:Tonehall\\", DestinationProblem::kRelative},
        CheckCase{"DriveWithForwardSlash", u"E:/Tonehall/", DestinationProblem::kNone},
        CheckCase{"DriveRoot", u"C:\\", DestinationProblem::kDriveRoot},
        CheckCase{"DriveRootWithSeveralBackslashes", u"C:\\\\\\", DestinationProblem::kDriveRoot},
        CheckCase{"ShareRoot", u"\\\\nas\\media\\", DestinationProblem::kDriveRoot},
        CheckCase{"WindowsFolderItself", u"C:\\windows\\", DestinationProblem::kWindowsFolder},
        CheckCase{"InsideWindowsInAnotherCase", u"c:\\WINDOWS\\System32\\Tonehall\\",
                  DestinationProblem::kWindowsFolder},
        CheckCase{"BesideWindowsWithTheSameStart", u"C:\\WindowsApps\\Tonehall\\", DestinationProblem::kNone},
        // A person's own folders and the folders of all programs, themselves but not what lies in them.
        CheckCase{"ProfileFolder", u"C:\\Users\\Bob\\", DestinationProblem::kShellFolder},
        CheckCase{"DocumentsFolder", u"c:\\users\\bob\\documents\\", DestinationProblem::kShellFolder},
        CheckCase{"ProgramFilesItself", u"C:\\Program Files\\", DestinationProblem::kShellFolder},
        CheckCase{"ProgramData", u"C:\\ProgramData\\", DestinationProblem::kShellFolder},
        CheckCase{"FolderOfOnesOwnInTheProfile", u"C:\\users\\bob\\Tonehall\\", DestinationProblem::kNone},
        CheckCase{"FolderInProgramFiles", u"C:\\Program Files\\Tonehall 27\\", DestinationProblem::kNone},
        CheckCase{"PreexistingProgramFolder", u"d:\\apps\\tonehall radio\\", DestinationProblem::kPreexistingProgram},
        CheckCase{"ParentOfPreexistingProgram", u"D:\\Apps\\", DestinationProblem::kPreexistingProgram},
        CheckCase{"ShareFolderBesidePreexistingProgram", u"\\\\nas\\media\\Tonehall\\", DestinationProblem::kNone},
        CheckCase{"ShareFolderAbovePreexistingProgram", u"\\\\NAS\\media\\Tonehall Tools\\",
                  DestinationProblem::kPreexistingProgram},
        CheckCase{"InsidePreexistingProgram", u"D:\\Apps\\Tonehall Radio\\Mine\\", DestinationProblem::kNone},
        CheckCase{"NameSharingThePreexistingStart", u"D:\\Apps\\Tonehall\\", DestinationProblem::kNone},
        CheckCase{"LongestThatFitsTheBlock", kLongestFolder, DestinationProblem::kNone},
        CheckCase{"OneUnitTooLong", kTooLongFolder, DestinationProblem::kTooLong},
        CheckCase{"CannotBeMade", u"E:\\Tonehall\\", DestinationProblem::kNotCreated, 100 * kMiB, false},
        CheckCase{"TwentyFiveMiBFree", u"E:\\Tonehall\\", DestinationProblem::kLowDiskSpace, 25 * kMiB},
        CheckCase{"OneByteShortOfThirtyMiB", u"E:\\Tonehall\\", DestinationProblem::kLowDiskSpace, 30 * kMiB - 1},
        CheckCase{"ThirtyMiBFree", u"E:\\Tonehall\\", DestinationProblem::kNone, 30 * kMiB},
        CheckCase{"FreeSpaceUnknown", u"E:\\Tonehall\\", DestinationProblem::kNone, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DestinationMessages, TitlesTextsAndTheProductNameEachNames) {
    struct Case {
        DestinationProblem problem;
        std::u16string_view title, text;
    };
    const Case cases[] = {
        {DestinationProblem::kEmpty, u"Invalid Destination Folder",
         u"Name0 can not be installed to an empty folder.\r\n\r\nPlease enter a new destination folder."},
        {DestinationProblem::kDriveRoot, u"Invalid Destination Folder",
         u"Name0 can not be installed to the root of a drive.\r\n\r\nPlease enter a new destination folder."},
        {DestinationProblem::kWindowsFolder, u"Invalid Destination Folder",
         u"Name0 can not be installed in the Windows folder.\r\n\r\nPlease enter a new destination folder."},
        {DestinationProblem::kPreexistingProgram, u"Invalid Destination Folder",
         u"Name0 can not be installed where a pre-existing program is installed.\r\n\r\n"
         u"Please enter a new destination folder."},
        {DestinationProblem::kTooLong, u"Invalid Destination Folder",
         u"Name0 can not be installed to a folder with a path this long.\r\n\r\n"
         u"Please enter a new destination folder."},
        {DestinationProblem::kNotCreated, u"Error", u"Failed to create Name2 directory."},
        {DestinationProblem::kLowDiskSpace, u"Insufficient Disk Space",
         u"There is not enough free space on this drive to install Name1.\r\n\r\n"
         u"Name1 installation requires at least 20 MB of free disk space.\r\n\r\n"
         u"Please select a different drive or free more space on the selected drive."},
    };
    for (const Case& c : cases) {
        const wizard_rules::DestinationMessage message =
            wizard_rules::MessageFor(c.problem, [](int item) { return TLString::Format(u"Name%d", item); });
        EXPECT_EQ(message.title, c.title);
        EXPECT_EQ(message.text, c.text);
    }
}

// Only a Silent run with nobody to correct the folder on the page ends at a refusal.
TEST(DestinationRefusal, EndsOnlySilentRunsGivenTheirFolderOrUnwatched) {
    struct Case {
        bool silent, folder_switch, no_message_boxes, ends;
    };
    const Case cases[] = {
        {false, false, false, false}, {false, true, true, false}, {true, false, false, false},
        {true, true, false, true},    {true, false, true, true},  {true, true, true, true},
    };
    for (const Case& c : cases) {
        InstallSession session;
        session.Silent = c.silent;
        session.NoMessageBoxes = c.no_message_boxes;
        if (c.folder_switch) session.DestinationSwitch = u"C:\\Windows\\Tonehall";
        EXPECT_EQ(wizard_rules::RefusalEndsRun(session), c.ends) << c.silent << c.folder_switch << c.no_message_boxes;
    }
}

}  // namespace
