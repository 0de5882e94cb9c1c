// Setup.exe started as a user or a script would start it, under Wine, with a copy of the sample
// distribution: what it logs, shows and leaves behind.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/app/distribution_fixture.h"
#include "tests/support/product_keys.h"
#include "tests/support/win_test_support.h"
#include "tests/support/window_driver.h"
#include "tests/support/wizard_driver.h"

namespace {

using tltest::Distribution;

using tltest::kPropertiesKey;

TLString BlockString(const uint8_t* block, size_t offset) {
    return TLString(reinterpret_cast<const char16_t*>(block + offset));
}

// A value with spaces comes back quoted from the normalised line, and the switch keeps those quotes.
TEST(SetupExe, RunsThroughStartupAndLogsTheParsedQuotedCommandLine) {
    Distribution distribution;
    tltest::StartedProgram setup(distribution.SetupExe(), u"/Silent /DistributorID \"Corvane Partner (EU)\" /NoRun");
    const auto result = setup.Wait();
    ASSERT_TRUE(result.started);
    EXPECT_TRUE(result.finished);
    EXPECT_EQ(result.exit_code, 0u);
    EXPECT_TRUE(tltest::LogContains(
        setup,
        u"Switches: Silent=1 Upgrade=0 NoAssociations=0 NoDependencies=0 NoUpgrade=0 "
        u"NoDriver=0 NoRun=1 ResultCode=0 NoMessageBoxes=0 DistributorID=[\"Corvane Partner (EU)\"]"));
    for (const char16_t* step : {u"LoadInstallConfiguration", u"ChooseSkin", u"PlaceLauncher"}) {
        EXPECT_TRUE(tltest::LogContains(setup, TLString(step) + u": Start")) << TLString(step);
        EXPECT_TRUE(tltest::LogContains(setup, TLString(step) + u": Finish (")) << TLString(step);
    }
    EXPECT_TRUE(tltest::LogContains(setup, u"CInstallApp::InitInstance: Finish ("));
    EXPECT_TRUE(tltest::LogContains(setup, u"Product information loaded: Tonehall 27.0.0.1"));
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

struct LanguageCase {
    const char* name;
    bool locked_mutex;
    int mutex_error;  // what CreateMutexW reports to the second copy
    const char16_t* language;
    const char16_t* title;
    const char16_t* first_part;
    const char16_t* second_part;
    const char16_t* button;
};

class AnotherInstance : public ::testing::TestWithParam<LanguageCase> {};

// The check comes after the product information, Install.xml and the switches were read, so the
// second copy shows its message in the user's language and then leaves with exit code 0.
TEST_P(AnotherInstance, IsToldInTheUsersLanguageAndLeavesWithZero) {
    const LanguageCase& c = GetParam();
    tltest::RegistryCleanup properties(HKEY_CURRENT_USER, kPropertiesKey);
    ASSERT_TRUE(tltest::WriteRegistryString(HKEY_CURRENT_USER, kPropertiesKey, u"Language", c.language));

    Distribution distribution;
    const tltest::HeldInstallerMutex held(c.locked_mutex);
    ASSERT_TRUE(held.held());
    tltest::StartedProgram setup(distribution.SetupExe(), u"/Silent");
    ASSERT_TRUE(setup.started());
    HWND message = tltest::WaitForDialog(c.title, setup.id());
    ASSERT_NE(message, nullptr);
    const TLString text = tltest::AllText(message);
    EXPECT_NE(text.Find(c.first_part), TLString::npos) << text;
    EXPECT_NE(text.Find(c.second_part), TLString::npos) << text;
    EXPECT_TRUE(tltest::LogContains(setup, u"Switches: Silent=1"));
    EXPECT_TRUE(tltest::PressButton(message, c.button));
    const auto result = setup.Wait();
    EXPECT_TRUE(result.finished);
    EXPECT_EQ(result.exit_code, 0u);
    EXPECT_TRUE(
        tltest::LogContains(setup, TLString::Format(u"Another installer is running (error %d)", c.mutex_error)));
}

INSTANTIATE_TEST_SUITE_P(
    Languages, AnotherInstance,
    ::testing::Values(
        LanguageCase{"English", false, 183, u"English", u"Corvane Installer",
                     u"Another instance of the Corvane installer is already running on this system.\r\n\r\n",
                     u"Please finish any other Corvane installations and try again.", u"OK"},
        LanguageCase{"German", false, 183, u"German", u"Corvane-Installationsprogramm",
                     u"Auf diesem System läuft bereits eine andere Instanz des Corvane-Installationsprogramms.",
                     u"Bitte schließen Sie alle anderen Corvane-Installationen ab", u"OK"},
        // The mutex cannot even be opened: the same message.
        LanguageCase{"EnglishMutexLockedAway", true, 5, u"English", u"Corvane Installer",
                     u"Another instance of the Corvane installer is already running on this system.\r\n\r\n",
                     u"Please finish any other Corvane installations and try again.", u"OK"}),
    [](const auto& info) { return std::string(info.param.name); });

// While the installer waits on a message, its process information block is there to be read by
// name, as the tools library reads it.
TEST(SetupExe, PublishesItsProcessInformationBlock) {
    Distribution distribution;
    const tltest::HeldInstallerMutex held;
    ASSERT_TRUE(held.held());
    tltest::StartedProgram setup(distribution.SetupExe(), u"");
    ASSERT_TRUE(setup.started());
    HWND message = tltest::WaitForDialog(u"Corvane Installer", setup.id());
    ASSERT_NE(message, nullptr);

    const TLString name = TLString::Format(u"Corvane Process v27 (%d)", static_cast<int>(setup.id()));
    HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, name.wc());
    ASSERT_NE(mapping, nullptr) << name;
    const auto* block = static_cast<const uint8_t*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 3184));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block[0], 1);
    EXPECT_TRUE(BlockString(block, 2).EqualsNoCase(distribution.SetupExe())) << BlockString(block, 2);
    EXPECT_TRUE(BlockString(block, 1568).EqualsNoCase(distribution.Path(u"Tunevault\\")));
    EXPECT_TRUE(BlockString(block, 1046).EqualsNoCase(distribution.Path(u"Tunevault\\")));
    EXPECT_TRUE(BlockString(block, 2090).EndsWith(u"C. Orvane\\Tonehall 27")) << BlockString(block, 2090);
    EXPECT_EQ(block[2612], 1);
    EXPECT_EQ(block[2632], 0);
    uint32_t value;
    std::memcpy(&value, block + 2624, 4);
    EXPECT_EQ(value, 0x80000001u);
    std::memcpy(&value, block + 3176, 4);
    EXPECT_EQ(value, 99u);
    uint64_t all_bits;
    std::memcpy(&all_bits, block + 3168, 8);
    EXPECT_EQ(all_bits, ~uint64_t{0});
    UnmapViewOfFile(block);
    CloseHandle(mapping);

    EXPECT_TRUE(tltest::PressButton(message, u"OK"));
    EXPECT_EQ(setup.Wait().exit_code, 0u);
}

struct BrokenDistributionCase {
    const char* name;
    const char16_t* missing_file;
    const char16_t* language;  // the user's language
    const char16_t* title;
    const char16_t* first_line;
    const char16_t* reported_error;
    const char16_t* advice;
};

class BrokenDistribution : public ::testing::TestWithParam<BrokenDistributionCase> {};

// Without the library nothing can translate; with it, only the product information missing, the box
// speaks the user's language.
TEST_P(BrokenDistribution, ShowsCriticalErrorNamingTheProgramAndLeavesWithZero) {
    const BrokenDistributionCase& c = GetParam();
    tltest::RegistryCleanup properties(HKEY_CURRENT_USER, kPropertiesKey);
    ASSERT_TRUE(tltest::WriteRegistryString(HKEY_CURRENT_USER, kPropertiesKey, u"Language", c.language));

    Distribution distribution;
    ASSERT_TRUE(DeleteFileW(distribution.Path(c.missing_file).wc()));
    tltest::StartedProgram setup(distribution.SetupExe(), u"");
    HWND message = tltest::WaitForDialog(c.title, setup.id());
    ASSERT_NE(message, nullptr);
    const TLString text = tltest::AllText(message);
    EXPECT_NE(text.Find(c.first_line + (u"\r\n" + distribution.SetupExe() + u"\r\n")), TLString::npos) << text;
    EXPECT_NE(text.Find(c.reported_error), TLString::npos) << text;
    EXPECT_NE(text.Find(c.advice), TLString::npos) << text;
    EXPECT_TRUE(tltest::PressButton(message, u"OK"));
    const auto result = setup.Wait();
    EXPECT_TRUE(result.finished);
    EXPECT_EQ(result.exit_code, 0u);
}

constexpr char16_t kEnglishTitle[] = u"Critical Error";
constexpr char16_t kEnglishFirstLine[] = u"The following module has failed to load:";
constexpr char16_t kEnglishAdvice[] = u"Please reinstall the latest version of the program.";

INSTANTIATE_TEST_SUITE_P(
    MissingFiles, BrokenDistribution,
    ::testing::Values(BrokenDistributionCase{"ToolsLibrary", u"Tunevault\\TLTools.dll", u"English", kEnglishTitle,
                                             kEnglishFirstLine, u"Failed to load TLTools", kEnglishAdvice},
                      BrokenDistributionCase{"ToolsLibraryGermanUser", u"Tunevault\\TLTools.dll", u"German",
                                             kEnglishTitle, kEnglishFirstLine, u"Failed to load TLTools",
                                             kEnglishAdvice},
                      BrokenDistributionCase{"ProductInformation", u"Tunevault\\Product.xml", u"English", kEnglishTitle,
                                             kEnglishFirstLine, u"Product.xml\" cannot be read.", kEnglishAdvice},
                      BrokenDistributionCase{"ProductInformationGermanUser", u"Tunevault\\Product.xml", u"German",
                                             u"Schwerwiegender Fehler",
                                             u"Das folgende Modul konnte nicht geladen werden:",
                                             u"Product.xml\" cannot be read.",
                                             u"Bitte installieren Sie die neueste Version des Programms erneut."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SetupExe, RenamesTheLauncherAndCopiesItIntoTheProgramFiles) {
    Distribution distribution;
    const std::string original =
        tltest::ReadFileBytes(distribution.Path(u"System\\Always Overwrite\\Tone Core Launcher.exe"));
    ASSERT_FALSE(original.empty());
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        tltest::StartedProgram setup(distribution.SetupExe(), u"");
        EXPECT_EQ(tltest::CloseWizardAndWait(setup).exit_code, 0u);
        EXPECT_FALSE(tltest::FileExists(distribution.Path(u"System\\Always Overwrite\\Tone Core Launcher.exe")));
        EXPECT_EQ(tltest::ReadFileBytes(distribution.Path(u"System\\Always Overwrite\\Tonehall Launcher.exe")),
                  original);
        EXPECT_EQ(tltest::ReadFileBytes(distribution.Path(u"Tunevault\\Tonehall Launcher.exe")), original);
    }
}

// Windows libraries are taken from the system folder only: a "version.dll" left beside the installer
// is never loaded, while the installer still reads its own version through the real one. (Wine takes
// its built-in version.dll before a file of that name; the library loader's own tests show the
// system-folder rule with a DLL that Wine does not build in.)
TEST(SetupExe, IgnoresADllPlantedBesideIt) {
    Distribution distribution;
    ASSERT_TRUE(
        CopyFileW(tltest::BuildPath(u"tests/app/planted_dll.dll").wc(), distribution.Path(u"version.dll").wc(), FALSE));
    tltest::StartedProgram setup(distribution.SetupExe(), u"");
    EXPECT_EQ(tltest::CloseWizardAndWait(setup).exit_code, 0u);
    EXPECT_FALSE(tltest::FileExists(distribution.Path(u"planted-dll-was-loaded.txt")));
    EXPECT_TRUE(tltest::LogContains(setup, u"Setup version 27.0.0.1"));
}

// Copies of the product's machine settings that Windows virtualised for programs without rights are
// removed, with everything below them; other vendors' copies stay.
TEST(SetupExe, ClearsTheVirtualisedCopiesOfTheProductsMachineSettings) {
    const char16_t* const kStore = u"Software\\Classes\\VirtualStore\\Machine\\Software\\";
    tltest::RegistryCleanup store(HKEY_CURRENT_USER, u"Software\\Classes\\VirtualStore");
    const TLString keys[] = {
        TLString(kStore) + u"C. Orvane\\Tone Core\\Installations",
        TLString(kStore) + u"Wow6432Node\\C. Orvane\\Tonehall 27",
        TLString(kStore) + u"Other Vendor\\Player",
    };
    for (const TLString& key : keys) {
        HKEY created;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key.wc(), 0, nullptr, 0, KEY_WRITE, nullptr, &created, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(created);
    }
    Distribution distribution;
    tltest::StartedProgram setup(distribution.SetupExe(), u"");
    EXPECT_EQ(tltest::CloseWizardAndWait(setup).exit_code, 0u);

    const auto exists = [](const TLString& key) {
        HKEY opened;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, key.wc(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
        RegCloseKey(opened);
        return true;
    };
    EXPECT_FALSE(exists(TLString(kStore) + u"C. Orvane"));
    EXPECT_FALSE(exists(TLString(kStore) + u"Wow6432Node\\C. Orvane"));
    EXPECT_TRUE(exists(TLString(kStore) + u"Wow6432Node"));
    EXPECT_TRUE(exists(keys[2]));
}

// Startup finds the installed product through the installations record and announces the folder to
// a debugger; the product's folder is named by product string 3 ("Tonehall 27").
TEST(SetupExe, DiscoversTheInstalledProductAndAnnouncesItsFolder) {
    tltest::RegistryCleanup record(HKEY_LOCAL_MACHINE, u"Software\\C. Orvane\\Tone Core");
    ASSERT_TRUE(tltest::WriteRegistryString(HKEY_LOCAL_MACHINE,
                                            u"Software\\C. Orvane\\Tone Core\\Installations\\Tonehall 27", u"Path",
                                            u"C:\\Tonehall Test"));

    Distribution distribution;
    // Nobody is there to close the wizard under the debugger: a silent run ends by itself.
    const tltest::DebuggedRun run = tltest::RunUnderDebugger(distribution.SetupExe(), u"/Silent");
    ASSERT_TRUE(run.result.finished);
    EXPECT_EQ(run.result.exit_code, 0u);
    bool announced = false;
    for (size_t i = 0; i < run.debug_strings.GetCount(); ++i) {
        const TLString& line = run.debug_strings[i];
        announced = announced || (line.StartsWith(u"Corvane install path (process: ") &&
                                  line.EndsWith(u"): C:\\Tonehall Test\\\r\n"));
    }
    EXPECT_TRUE(announced) << run.debug_strings.GetCount() << " debug strings";
}

}  // namespace
