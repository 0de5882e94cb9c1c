// The copy phase planned without copying anything: what each file comes to, and the order of the
// phase's file work for the situations an install meets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/copy/copy_plan.h"

namespace {

using engine::CopyMode;
using engine::FileActionKind;
using engine::RegistrationRoute;

constexpr uint64_t v1 = 0x0001000000000000, v2 = 0x0002000000000000;

constexpr CopyMode kCheck = CopyMode::kCheckVersion, kOverwrite = CopyMode::kAlwaysOverwrite, kFont = CopyMode::kFont;
constexpr FileActionKind kCopy = FileActionKind::kCopy, kKeep = FileActionKind::kKeep, kNone = FileActionKind::kNone;

engine::FileAction PlanOne(const char16_t* relative, CopyMode mode, bool collecting, engine::FileFacts facts = {}) {
    facts.relative = relative;
    const std::vector<engine::FileAction> plan =
        engine::PlanFolderCopy(u"D:\\dist\\", u"C:\\T\\", mode, collecting, {facts});
    EXPECT_EQ(plan.size(), 1u);
    return plan.empty() ? engine::FileAction() : plan[0];
}

TEST(FilePlan, CopiesKeepsOrLeavesEachFileAsTheVersionRuleAndTheCoreLibrariesSay) {
    struct Case {
        const char* what;
        const char16_t* relative;
        CopyMode mode;
        engine::VersionFacts versions;
        bool core_library;
        FileActionKind kind;
    } cases[] = {
        {"newer system DLL", u"codec.dll", kCheck, {v2, v1, true}, false, kCopy},
        {"same version", u"codec.dll", kCheck, {v2, v2, true}, false, kKeep},
        {"older source", u"codec.dll", kCheck, {v1, v2, true}, false, kKeep},
        {"unversioned source DLL", u"codec.dll", kCheck, {0, 0, true}, false, kKeep},
        {"version functions missing", u"codec.dll", kCheck, {0, 0, false}, false, kCopy},
        {"unversioned kind", u"readme.txt", kCheck, {0, v2, true}, false, kCopy},
        {"program file over a newer one", u"Tonehall.exe", kOverwrite, {v1, v2, true}, false, kCopy},
        {"font", u"Tone.ttf", kFont, {v1, v2, true}, false, kCopy},
        {"core library, copied already", u"TLImage.dll", kOverwrite, {}, true, kNone},
    };
    for (const Case& c : cases) {
        engine::FileFacts facts;
        facts.size = 7;
        facts.special_attributes = true;
        facts.core_library = c.core_library;
        facts.versions = c.versions;
        const engine::FileAction action = PlanOne(c.relative, c.mode, false, facts);
        EXPECT_EQ(action.kind, c.kind) << c.what;
        EXPECT_EQ(action.source, u"D:\\dist\\" + TLString(c.relative)) << c.what;
        EXPECT_EQ(action.destination, u"C:\\T\\" + TLString(c.relative)) << c.what;
        EXPECT_EQ(action.mode, c.mode) << c.what;
        EXPECT_EQ(action.size, 7u) << c.what;
        EXPECT_TRUE(action.special_attributes) << c.what << ": a read-only source's copy has it cleared";
    }
}

TEST(FilePlan, RoutesCopiedAndKeptServersToTheirRegistrationAndStopsTheMediaServerFirst) {
    using Route = RegistrationRoute;
    struct Case {
        const char16_t* relative;
        CopyMode mode;
        engine::VersionFacts versions;
        bool collecting;
        Route route;
        bool stop_server_first;
    } cases[] = {
        {u"Plugins\\in_cd.dll", kOverwrite, {}, true, Route::kRegisterList, false},
        {u"codec.dll", kCheck, {v2, v1, true}, false, Route::kRegisterAtOnce, false},
        {u"codec.dll", kCheck, {v2, v2, true}, false, Route::kRegisterAtOnce, false},  // kept, still registered
        {u"TLShellExt.dll", kOverwrite, {}, true, Route::kNone, false},
        {u"Data\\a.xml", kOverwrite, {}, true, Route::kNone, false},
        {u"Server\\GantryServer.exe", kOverwrite, {}, true, Route::kNone, true},
    };
    for (const Case& c : cases) {
        engine::FileFacts facts;
        facts.versions = c.versions;
        const engine::FileAction action = PlanOne(c.relative, c.mode, c.collecting, facts);
        EXPECT_EQ(action.registration, c.route) << TLString(c.relative);
        EXPECT_EQ(action.stop_server_first, c.stop_server_first) << TLString(c.relative);
    }
    engine::FileFacts core;
    core.core_library = true;
    EXPECT_EQ(PlanOne(u"TLImage.dll", kOverwrite, true, core).registration, Route::kNone) << "the core libraries";
}

// The phase's file work as one line per action, for comparing whole plans.
std::vector<std::string> Lines(const std::vector<engine::PhaseAction>& plan) {
    std::vector<std::string> lines;
    for (const engine::PhaseAction& action : plan) {
        switch (action.kind) {
            case engine::PhaseActionKind::kStatus:
                lines.push_back("status " + action.text.ToUtf8() + (action.reset ? " (from 0)" : ""));
                break;
            case engine::PhaseActionKind::kShowError:
                lines.push_back("error " + action.text.Left(40).ToUtf8());
                break;
            case engine::PhaseActionKind::kCopyFolder:
                lines.push_back("copy " + action.source.ToUtf8() + " > " + action.destination.ToUtf8() + " mode " +
                                std::to_string(static_cast<int>(action.mode)) + (action.collect ? " collect" : ""));
                break;
            case engine::PhaseActionKind::kCopyFile:
                lines.push_back("copy file " + action.source.ToUtf8() + " > " + action.destination.ToUtf8());
                break;
            case engine::PhaseActionKind::kStopProgram:
                lines.push_back("stop " + action.path.ToUtf8());
                break;
            case engine::PhaseActionKind::kDeleteTree:
                lines.push_back("delete tree " + action.path.ToUtf8());
                break;
            case engine::PhaseActionKind::kDeleteFile:
                lines.push_back("delete " + action.path.ToUtf8());
                break;
        }
    }
    return lines;
}

engine::ProgramFilesFacts Facts() {
    engine::ProgramFilesFacts facts;
    facts.source_folder = u"D:\\";
    facts.install_folder = u"C:\\T\\";
    facts.product_name = u"Tonehall";
    facts.main_program = u"Tonehall.exe";
    facts.holds_product = true;
    facts.main_program_installed = true;
    facts.system_folder = u"C:\\windows\\system32\\";
    facts.system_wow64_folder = u"C:\\windows\\syswow64\\";
    facts.windows_folder = u"C:\\windows\\";
    return facts;
}

const std::vector<std::string> kProgramFilesToLicence = {
    "status Installing %s program files... (from 0)",
    "copy D:\\Tunevault\\ > C:\\T\\ mode 1 collect",
};
const std::vector<std::string> kFormerLayoutAndLicence = {
    "delete tree C:\\T\\Drivers\\32\\",
    "delete tree C:\\T\\Drivers\\64\\",
    "delete C:\\T\\Drivers\\CorvaneWDMDriver.cat",
    "delete C:\\T\\Drivers\\CorvaneWDMDriver.inf",
    "copy file D:\\License.txt > C:\\T\\License.txt",
};

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> joined;
    for (const auto& part : parts) joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

TEST(PhasePlan, ReinstallOverTheProductPutsSystemFilesFontsAndProgramFilesInOrder) {
    const std::vector<std::string> system_files = {
        "status Installing system files...",
        "copy D:\\System\\Check Version\\ > C:\\windows\\system32\\ mode 0",
        "copy D:\\System\\Always Overwrite\\ > C:\\windows\\system32\\ mode 1",
        "copy D:\\Fonts\\ > C:\\windows\\Fonts\\ mode 2",
        "copy D:\\System\\Check Version\\ > C:\\windows\\syswow64\\ mode 0",
        "copy D:\\System\\Always Overwrite\\ > C:\\windows\\syswow64\\ mode 1",
        "copy D:\\Fonts\\ > C:\\windows\\Fonts\\ mode 2",
        "delete tree C:\\T\\Data\\Panel\\Root\\Default\\static",
    };
    EXPECT_EQ(Lines(engine::PlanProgramFiles(Facts())),
              Join({system_files, kProgramFilesToLicence, kFormerLayoutAndLicence}));
}

TEST(PhasePlan, SituationsChangeOnlyTheirOwnPartOfThePlan) {
    struct Case {
        const char* what;
        void (*change)(engine::ProgramFilesFacts&);
        std::vector<std::string> expected;
    } cases[] = {
        {"portable: no system files or fonts", [](engine::ProgramFilesFacts& f) { f.portable = true; },
         Join({{"status Installing system files...", "delete tree C:\\T\\Data\\Panel\\Root\\Default\\static"},
               kProgramFilesToLicence,
               kFormerLayoutAndLicence})},
        {"a folder of the person's own: nothing of it is deleted",
         [](engine::ProgramFilesFacts& f) {
             f.portable = true;
             f.holds_product = false;
         },
         Join({{"status Installing system files..."},
               kProgramFilesToLicence,
               {"copy file D:\\License.txt > C:\\T\\License.txt"}})},
        {"media-server edition: the server stops and its folder goes before the copy",
         [](engine::ProgramFilesFacts& f) {
             f.portable = true;
             f.media_server_edition = true;
             f.main_program = u"TonehallGantry.exe";
         },
         Join({{"status Installing system files...", "stop C:\\T\\TonehallGantry.exe", "delete tree C:\\T\\Server\\",
                "delete tree C:\\T\\Data\\Panel\\Root\\Default\\static"},
               kProgramFilesToLicence,
               kFormerLayoutAndLicence})},
        {"media-server edition not installed yet: nothing to stop",
         [](engine::ProgramFilesFacts& f) {
             f.portable = true;
             f.media_server_edition = true;
             f.main_program_installed = false;
         },
         Join({{"status Installing system files...", "delete tree C:\\T\\Server\\",
                "delete tree C:\\T\\Data\\Panel\\Root\\Default\\static"},
               kProgramFilesToLicence,
               kFormerLayoutAndLicence})},
        {"both Chinese folders after the copy: the older one goes",
         [](engine::ProgramFilesFacts& f) {
             f.portable = true;
             f.chinese_after_copy = f.chinese_simplified_after_copy = true;
         },
         Join({{"status Installing system files...", "delete tree C:\\T\\Data\\Panel\\Root\\Default\\static"},
               kProgramFilesToLicence,
               {"delete tree C:\\T\\Data\\Languages\\Chinese\\"},
               kFormerLayoutAndLicence})},
        {"only the older Chinese folder: it stays",
         [](engine::ProgramFilesFacts& f) {
             f.portable = true;
             f.chinese_after_copy = true;
         },
         Join({{"status Installing system files...", "delete tree C:\\T\\Data\\Panel\\Root\\Default\\static"},
               kProgramFilesToLicence,
               kFormerLayoutAndLicence})},
    };
    for (const Case& c : cases) {
        engine::ProgramFilesFacts facts = Facts();
        c.change(facts);
        EXPECT_EQ(Lines(engine::PlanProgramFiles(facts)), c.expected) << c.what;
    }
}

TEST(PhasePlan, MissingWindowsFoldersAreReportedAndTheRestGoesOn) {
    engine::ProgramFilesFacts facts = Facts();
    facts.holds_product = false;
    facts.system_folder.Clear();
    facts.windows_folder.Clear();
    EXPECT_EQ(Lines(engine::PlanProgramFiles(facts)),
              Join({{"status Installing system files...", "error The install wizard can not obtain the Wi",
                     "copy D:\\System\\Check Version\\ > C:\\windows\\syswow64\\ mode 0",
                     "copy D:\\System\\Always Overwrite\\ > C:\\windows\\syswow64\\ mode 1",
                     "error The install wizard can not obtain the sy"},
                    kProgramFilesToLicence,
                    {"copy file D:\\License.txt > C:\\T\\License.txt"}}));
}

}  // namespace
