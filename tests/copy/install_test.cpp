// The copy-and-register phase of a whole install of the sample distribution, run in this process
// with the distribution's own tools library: the files, the registry and what the engine reported.
// The tests that only read the installed product share one install.
#include <gtest/gtest.h>

#include <thread>
#include <tuple>

#include "core/process/tl_process_info_block.h"
#include "core/tools/message_service_prompts.h"
#include "core/tools/module_loader.h"
#include "core/tools/tools.h"
#include "engine/copy/source_tree.h"
#include "engine/install/install_helper.h"
#include "engine/record/installation_record.h"
#include "tests/copy/copy_test_support.h"
#include "tests/copy/recording_progress.h"
#include "tests/support/product_keys.h"
#include "tests/support/win_test_support.h"
#include "tests/support/window_driver.h"

namespace {

constexpr char16_t kRoot[] = u"C:\\tltest\\copy install\\";
constexpr char16_t kRecordKey[] = u"Software\\C. Orvane\\Tone Core\\Installations";
using tltest::kUninstallKey;
constexpr char16_t kTagEditorServer[] =
    u"Software\\Classes\\CLSID\\{6B1E3C2A-27D0-4C1B-9E55-7A1D0C5E2701}\\InprocServer32";
constexpr char16_t kShellExtensionClass[] = u"Software\\Classes\\CLSID\\{6B1E3C2A-27D0-4C1B-9E55-7A1D0C5E2702}";

TLString Dist() { return TLString(kRoot) + u"dist\\"; }
TLString Dest() { return TLString(kRoot) + u"Program Files\\Tonehall 27\\"; }

TLString WindowsFolder(UINT (*get)(LPWSTR, UINT)) {
    wchar_t path[MAX_PATH];
    get(path, MAX_PATH);
    return TLString(path) + u"\\";
}
UINT System(LPWSTR path, UINT size) { return GetSystemDirectoryW(path, size); }
UINT SystemWow64(LPWSTR path, UINT size) { return GetSystemWow64DirectoryW(path, size); }
UINT Windows(LPWSTR path, UINT size) { return GetWindowsDirectoryW(path, size); }

// Files the install puts outside its own folder, removed before and after the suite.
std::vector<TLString> MachineFiles() {
    std::vector<TLString> files;
    for (const TLString& folder : {WindowsFolder(System), WindowsFolder(SystemWow64)})
        for (const char16_t* name : {u"TLAudioCodec.dll", u"TLRuntimeHelper.dll"}) files.push_back(folder + name);
    files.push_back(WindowsFolder(Windows) + u"Fonts\\DejaVuSans.ttf");
    return files;
}

TLString Registry(std::u16string_view key, std::u16string_view name) {
    TLString value;
    EXPECT_TRUE(tltest::ReadRegistryString(HKEY_LOCAL_MACHINE, key, name, &value))
        << TLString(key) << " " << TLString(name);
    return value;
}

DWORD RegistryType(HKEY root, std::u16string_view key, std::u16string_view name) {
    DWORD type = REG_NONE;
    RegGetValueW(root, TLString(key).wc(), TLString(name).wc(), RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, nullptr);
    return type;
}

struct Install {
    tltest::RecordingProgress progress;
    engine::PendingOperations pending;
    bool completed = false;
};

class InstalledProduct : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        renames_ = new tltest::PendingRenamesGuard;
        CleanMachine();
        tltest::DeleteTree(kRoot);
        ASSERT_TRUE(tltest::CopyTree(tltest::BuildPath(u"distribution"), Dist()));
        ASSERT_TRUE(tltools::TLModuleLoader::Get().LoadFrom(tltools::kToolsSlot, Dist() + u"Tunevault\\"));
        TLString error;
        ASSERT_TRUE(tools::ProductInfo()->Load(Dist() + u"Tunevault\\Product.xml", &error)) << error;
        first_ = new Install;
        RunInstall(Dest(), false, *first_);
    }
    static void TearDownTestSuite() {
        delete first_;
        tltools::TLModuleLoader::Get().UnloadAll();
        tltest::DeleteTree(kRoot);
        CleanMachine();
        delete renames_;
    }

    static void CleanMachine() {
        for (const char16_t* key : {kRecordKey, kUninstallKey, kShellExtensionClass,
                                    u"Software\\Classes\\CLSID\\{6B1E3C2A-27D0-4C1B-9E55-7A1D0C5E2701}"})
            RegDeleteTreeW(HKEY_LOCAL_MACHINE, TLString(key).wc());
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\C. Orvane\\Tonehall 27");
        for (const TLString& file : MachineFiles()) DeleteFileW(file.wc());
    }

    static void RunInstall(const TLString& destination, bool portable, Install& install) {
        InstallSession session;
        session.SetDestinationFolder(destination);
        session.UninstallKeyName = u"Tonehall 27 (64-bit)";
        session.PortableMode = portable;
        engine::CInstallHelper helper(session, Dist(), install.pending, TLString(kRoot) + u"Setup.journal");
        // The message boxes an interactive run shows, answered by the tests' own threads.
        tools::MessageServicePrompts prompts;
        install.completed = helper.CopyAndRegister(install.progress, prompts);
    }

    static tltest::PendingRenamesGuard* renames_;
    static Install* first_;
};
tltest::PendingRenamesGuard* InstalledProduct::renames_ = nullptr;
Install* InstalledProduct::first_ = nullptr;

TEST_F(InstalledProduct, ProgramFilesArriveWholeBesideTheLicence) {
    ASSERT_TRUE(first_->completed);
    const engine::SourceTree tree = engine::ListSourceTree(Dist() + u"Tunevault\\");
    ASSERT_GT(tree.files.size(), 10u);
    for (const engine::SourceFile& file : tree.files)
        EXPECT_EQ(tltest::ReadFileBytes(Dest() + file.relative),
                  tltest::ReadFileBytes(Dist() + u"Tunevault\\" + file.relative))
            << file.relative;
    EXPECT_EQ(tltest::ReadFileBytes(Dest() + u"License.txt"), tltest::ReadFileBytes(Dist() + u"License.txt"));
    EXPECT_TRUE(first_->pending.files.IsEmpty());
    EXPECT_FALSE(first_->pending.restart_required);
}

TEST_F(InstalledProduct, SystemFilesAndTheFontReachTheWindowsFolders) {
    for (const TLString& file : MachineFiles()) EXPECT_TRUE(tltest::FileExists(file)) << file;
}

TEST_F(InstalledProduct, ComServerIsRegisteredButNotTheShellExtension) {
    EXPECT_EQ(Registry(kTagEditorServer, u""), Dest() + u"TLTagEditor.dll");
    TLString value;
    EXPECT_FALSE(tltest::ReadRegistryString(HKEY_LOCAL_MACHINE, kShellExtensionClass, u"", &value));
}

TEST_F(InstalledProduct, InstallationsRecordNamesTheDestination) {
    const TLString record = TLString(kRecordKey) + u"\\Tonehall 27";
    EXPECT_EQ(Registry(kRecordKey, u""), u"Tonehall 27");
    EXPECT_EQ(Registry(record, u"Path"), Dest());
    EXPECT_EQ(Registry(record, u"Launcher Name"), u"Tonehall Launcher.exe");
    EXPECT_EQ(Registry(record, u"Uninstall Key"), u"Tonehall 27 (64-bit)");
    EXPECT_EQ(Registry(record, u"Version"), u"27.0.0.1");
    DWORD os_code = 0;
    EXPECT_TRUE(tltest::ReadRegistryDword(HKEY_LOCAL_MACHINE, record, u"OS Version", &os_code));
    EXPECT_GE(os_code, 1009u) << "Windows 7 or later";
    const TLString guid = Registry(record, u"GUID");
    EXPECT_EQ(guid.length(), 38u) << guid;
    EXPECT_EQ(guid[0], u'{');
    TLString installer;
    EXPECT_TRUE(tltest::ReadRegistryString(HKEY_CURRENT_USER, u"Software\\C. Orvane\\Tonehall 27\\Installer",
                                           u"Install Directory", &installer));
    EXPECT_EQ(installer, Dest());

    // Folders are kept as expandable strings, the other texts as plain ones.
    const std::tuple<HKEY, TLString, const char16_t*, DWORD> types[] = {
        {HKEY_LOCAL_MACHINE, record, u"Path", REG_EXPAND_SZ},
        {HKEY_CURRENT_USER, u"Software\\C. Orvane\\Tonehall 27\\Installer", u"Install Directory", REG_EXPAND_SZ},
        {HKEY_LOCAL_MACHINE, kRecordKey, u"", REG_SZ},
        {HKEY_LOCAL_MACHINE, record, u"Version", REG_SZ},
        {HKEY_LOCAL_MACHINE, record, u"Launcher Name", REG_SZ},
        {HKEY_LOCAL_MACHINE, record, u"Uninstall Key", REG_SZ},
        {HKEY_LOCAL_MACHINE, record, u"GUID", REG_SZ},
        {HKEY_LOCAL_MACHINE, record, u"OS Version", REG_DWORD},
    };
    for (const auto& [root, key, name, type] : types)
        EXPECT_EQ(RegistryType(root, key.view(), name), type) << TLString(name);
}

TEST_F(InstalledProduct, UninstallEntryIsListedAndPointsIntoTheDestination) {
    const std::pair<const char16_t*, TLString> expected[] = {
        {u"DisplayName", u"Tonehall (64-bit)"},
        {u"HelpLink", u"https://www.corvane.example/tonehall"},
        {u"URLUpdateInfo", u"https://www.corvane.example/tonehall"},
        {u"URLInfoAbout", u"https://www.corvane.example/tonehall"},
        {u"InstallLocation", Dest()},
        {u"Publisher", u"Corvane, Inc."},
        {u"DisplayVersion", u"27.0.0.1"},
        {u"DisplayIcon", Dest() + u"Data\\Default Resources\\application.ico"},
        {u"UninstallString", u"\"" + Dest() + u"TLMediaUninstall.exe\""},
    };
    for (const auto& [name, value] : expected) EXPECT_EQ(Registry(kUninstallKey, name), value) << TLString(name);
    EXPECT_TRUE(tltest::FileExists(Registry(kUninstallKey, u"DisplayIcon")));

    const std::string listed = tltest::CaptureOutput(u"C:\\windows\\system32\\uninstaller.exe --list");
    EXPECT_NE(listed.find("Tonehall 27 (64-bit)|||Tonehall (64-bit)"), std::string::npos) << listed;
}

TEST_F(InstalledProduct, ReportsEveryStepInOrder) {
    EXPECT_EQ(first_->progress.headings,
              std::vector<std::string>{"Copying Files / Please wait while Install Wizard copies and registers files."});
    const std::vector<std::string> steps = {
        "Cleaning installation directory...",   "Loading default library and settings...",
        "Upgrading from previous version...",   "Installing system files...",
        "Installing Tonehall program files...", "Registering program files...",
        "Creating registry settings...",
    };
    EXPECT_EQ(first_->progress.texts, steps);
    EXPECT_GT(first_->progress.dispatches, 20);
    EXPECT_FALSE(first_->progress.cancel_enabled);
}

TEST_F(InstalledProduct, InstalledProgramOfTheSameVersionIsCurrentOnlyWithoutDowngrades) {
    InstallSession session;
    session.ExistingInstallationFound = true;
    EXPECT_FALSE(installation::InstalledVersionNotOlder(session, Dist())) << "downgrades allowed";
    session.AllowDowngrade = false;
    EXPECT_TRUE(installation::InstalledVersionNotOlder(session, Dist()));
    session.PortableMode = true;
    EXPECT_FALSE(installation::InstalledVersionNotOlder(session, Dist()));
    session.PortableMode = false;

    const TLString program = Dest() + u"Tonehall.exe";
    ASSERT_TRUE(MoveFileW(program.wc(), (program + u".kept").wc()));
    ASSERT_TRUE(CopyFileW(tltest::BuildPath(u"tests/copy/fixtures/Version1.dll").wc(), program.wc(), FALSE));
    EXPECT_FALSE(installation::InstalledVersionNotOlder(session, Dist())) << "installed 1.0, new 27.0";
    DeleteFileW(program.wc());
    MoveFileW((program + u".kept").wc(), program.wc());
}

TEST_F(InstalledProduct, CoreLibraryInUseAsksToRetryAndRetrySucceeds) {
    const TLString library = Dest() + u"TLDisc.dll";
    auto held = std::make_unique<tltest::HeldFile>(library);
    ASSERT_TRUE(held->held());
    TLString message;
    std::thread user([&] {
        HWND box = tltest::WaitForDialog(u"Failure Copying System File", GetCurrentProcessId());
        if (!box) return;
        message = tltest::AllText(box);
        held->Release();
        tltest::PressButton(box, u"Retry");
    });
    Install again;
    RunInstall(Dest(), false, again);
    user.join();

    EXPECT_TRUE(again.completed);
    EXPECT_NE(message.Find(u"Please ensure that the file '" + library + u"' is not in use."), TLString::npos)
        << message;
    EXPECT_EQ(tltest::ReadFileBytes(library), tltest::ReadFileBytes(Dist() + u"Tunevault\\TLDisc.dll"));
}

TEST_F(InstalledProduct, CancellingTheCoreLibraryCopyStopsTheInstall) {
    tltest::HeldFile held(Dest() + u"TLPlayer.dll");
    bool critical_error_shown = false;
    std::thread user([&] {
        HWND box = tltest::WaitForDialog(u"Failure Copying System File", GetCurrentProcessId());
        if (!box) return;
        tltest::PressButton(box, u"Cancel");
        HWND error = tltest::WaitForDialog(u"Install Error", GetCurrentProcessId());
        critical_error_shown = error && tltest::AllText(error).Find(u"critical error") != TLString::npos;
        if (error) tltest::PressButton(error, u"OK");
    });
    Install again;
    RunInstall(Dest(), false, again);
    user.join();

    EXPECT_FALSE(again.completed);
    EXPECT_TRUE(critical_error_shown);
    EXPECT_EQ(again.progress.texts.back(), "Upgrading from previous version...") << "nothing after the core libraries";
}

TEST_F(InstalledProduct, SecondInstallKeepsTheInstallationIdentifier) {
    const TLString record = TLString(kRecordKey) + u"\\Tonehall 27";
    const TLString guid = Registry(record, u"GUID");
    Install again;
    RunInstall(Dest(), false, again);
    ASSERT_TRUE(again.completed);
    EXPECT_EQ(Registry(record, u"GUID"), guid);
}

TEST_F(InstalledProduct, FolderOfTheUsersOwnKeepsItsSubfolders) {
    const TLString work = TLString(kRoot) + u"Work\\";
    const char16_t* markers[] = {u"Setup",  u"Data",        u"Skins", u"Stores",
                                 u"Server", u"Drivers\\32", u"Web",   u"Data\\Saved Views"};
    for (const char16_t* folder : markers) {
        ASSERT_TRUE(tltest::MakeFolders(work + folder));
        ASSERT_TRUE(CopyFileW(tltest::BuildPath(u"distribution/License.txt").wc(),
                              (work + folder + u"\\marker.txt").wc(), FALSE));
    }
    Install install;
    RunInstall(work, false, install);
    ASSERT_TRUE(install.completed);
    for (const char16_t* folder : markers)
        EXPECT_TRUE(tltest::FileExists(work + folder + u"\\marker.txt")) << TLString(folder);
    EXPECT_TRUE(tltest::FileExists(work + u"Tonehall.exe"));
    RunInstall(Dest(), false, install);  // the record and entry name the shared install again
}

TEST_F(InstalledProduct, PortableInstallLeavesTheMachineAlone) {
    CleanMachine();
    const TLString portable = TLString(kRoot) + u"Portable\\";
    Install install;
    RunInstall(portable, true, install);
    TLProcessInfoBlock::Get()->SetByte(TLProcessInfoBlock::kPortableByte, 0);

    ASSERT_TRUE(install.completed);
    EXPECT_TRUE(tltest::FileExists(portable + u"Portable.dat"));
    EXPECT_TRUE(tltest::FileExists(portable + u"TLTagEditor.dll"));
    TLString value;
    EXPECT_FALSE(tltest::ReadRegistryString(HKEY_LOCAL_MACHINE, kRecordKey, u"", &value));
    EXPECT_FALSE(tltest::ReadRegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, u"DisplayName", &value));
    for (const TLString& file : MachineFiles()) EXPECT_FALSE(tltest::FileExists(file)) << file;
}

}  // namespace
