// A reinstall of the sample product over an earlier install ("version A") that fails, is cancelled,
// is retried or is ended half way, run in this process with faults planted through the Windows
// layer's seam: what is left on disk and in the registry, what the person was asked, and the
// install record of a run that ends.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <set>

#include "core/tools/module_loader.h"
#include "core/tools/tools.h"
#include "core/windows/fault_seam.h"
#include "core/windows/file_attributes.h"
#include "core/windows/system_message.h"
#include "engine/copy/source_tree.h"
#include "engine/install/install_helper.h"
#include "engine/journal/journal.h"
#include "tests/copy/copy_test_support.h"
#include "tests/copy/recording_progress.h"
#include "tests/support/product_keys.h"
#include "tests/support/recording_prompts.h"
#include "tests/support/win_test_support.h"

namespace {

constexpr char16_t kRollbackRoot[] = u"C:\\tltest\\copy rollback\\";
constexpr char16_t kProductRecordKey[] = u"Software\\C. Orvane\\Tone Core\\Installations\\Tonehall 27";
using tltest::kUninstallKey;
constexpr int kRetry = tltools::IMessageService::kResultFirstNamed;

TLString DistA() { return TLString(kRollbackRoot) + u"dist A\\"; }
TLString DistB() { return TLString(kRollbackRoot) + u"dist B\\"; }
TLString RollbackDest() { return TLString(kRollbackRoot) + u"Program Files\\Tonehall 27\\"; }
TLString JournalFile() { return TLString(kRollbackRoot) + u"Setup.journal"; }

// Every file below a folder with its bytes, and every folder.
std::map<std::string, std::string> Snapshot(const TLString& folder) {
    std::map<std::string, std::string> files;
    const engine::SourceTree tree = engine::ListSourceTree(folder);
    for (const engine::SourceFile& file : tree.files)
        files[file.relative.ToUtf8()] = tltest::ReadFileBytes(folder + file.relative);
    for (const TLString& sub : tree.folders) files[sub.ToUtf8()] = "(folder)";
    return files;
}

TLString Value(const char16_t* key, const char16_t* name) {
    TLString value;
    tltest::ReadRegistryString(HKEY_LOCAL_MACHINE, key, name, &value);
    return value;
}

struct Machine {
    std::map<std::string, std::string> files;
    TLString record_version, uninstall_version, uninstall_location;
    friend bool operator==(const Machine&, const Machine&) = default;
};

Machine Look() {
    return {Snapshot(RollbackDest()), Value(kProductRecordKey, u"Version"), Value(kUninstallKey, u"DisplayVersion"),
            Value(kUninstallKey, u"InstallLocation")};
}

std::vector<std::string> Titles(const std::vector<tools::Prompt>& asked) {
    std::vector<std::string> titles;
    for (const tools::Prompt& prompt : asked) titles.push_back(prompt.title.ToUtf8());
    return titles;
}

// Answers the first question with Retry after taking the planted fault away, as a person would who
// freed the disk or the file in the meantime.
class ClearingPrompts final : public tools::IInstallPrompts {
public:
    explicit ClearingPrompts(std::unique_ptr<tlwin::PlantedFault>& fault) : fault_(fault) {}
    int Ask(const tools::Prompt& prompt) override {
        asked.push_back(prompt);
        fault_.reset();
        return kRetry;
    }
    std::vector<tools::Prompt> asked;

private:
    std::unique_ptr<tlwin::PlantedFault>& fault_;
};

// The process ends at the first question: nothing after it runs, the journal stays behind.
struct Killed {};
class KillingPrompts final : public tools::IInstallPrompts {
public:
    int Ask(const tools::Prompt&) override { throw Killed{}; }
};

class Reinstall : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        renames_ = new tltest::PendingRenamesGuard;
        CleanMachine();
        tltest::DeleteTree(kRollbackRoot);
        ASSERT_TRUE(tltest::CopyTree(tltest::BuildPath(u"distribution"), DistA()));
        ASSERT_TRUE(tltest::CopyTree(tltest::BuildPath(u"distribution"), DistB()));
        // Version B changes files of A and brings a file and a folder A does not have.
        for (const char16_t* file : {u"Data\\Visualizations\\Presets.txt", u"Languages\\German.lng",
                                     u"Data\\New in B.txt", u"Extras\\Deep\\Readme.txt"}) {
            const TLString path = DistB() + u"Tunevault\\" + file;
            std::string bytes = tltest::FileExists(path) ? tltest::ReadFileBytes(path) : std::string();
            bytes += "\r\nversion B";
            ASSERT_TRUE(tltest::MakeFolders(path.Left(path.ReverseFind(u'\\'))));
            HANDLE handle = CreateFileW(path.wc(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            DWORD written = 0;
            ASSERT_TRUE(WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
            CloseHandle(handle);
        }
        ASSERT_TRUE(tltools::TLModuleLoader::Get().LoadFrom(tltools::kToolsSlot, DistA() + u"Tunevault\\"));
        TLString error;
        ASSERT_TRUE(tools::ProductInfo()->Load(DistA() + u"Tunevault\\Product.xml", &error)) << error;
    }
    static void TearDownTestSuite() {
        tltools::TLModuleLoader::Get().UnloadAll();
        tltest::DeleteTree(kRollbackRoot);
        CleanMachine();
        delete renames_;
    }
    static void CleanMachine() {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\C. Orvane\\Tone Core\\Installations");
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, TLString(kUninstallKey).wc());
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\C. Orvane\\Tonehall 27");
    }

    // Version A, installed afresh before each test; its record and entry say 26 so that anything of
    // B written over them shows.
    void SetUp() override {
        tltest::DeleteTree(RollbackDest());
        tltest::RecordingPrompts prompts;
        ASSERT_TRUE(Install(DistA(), prompts));
        ASSERT_TRUE(prompts.asked.empty());
        tltest::WriteRegistryString(HKEY_LOCAL_MACHINE, kProductRecordKey, u"Version", u"26.0.0.1");
        tltest::WriteRegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, u"DisplayVersion", u"26.0.0.1");
        version_a_ = Look();
        ASSERT_FALSE(version_a_.files.empty());
    }

    static bool Install(const TLString& dist, tools::IInstallPrompts& prompts, const TLString& dest = RollbackDest()) {
        InstallSession session;
        session.SetDestinationFolder(dest);
        session.UninstallKeyName = u"Tonehall 27 (64-bit)";
        engine::PendingOperations pending;
        tltest::RecordingProgress progress;
        engine::CInstallHelper helper(session, dist, pending, JournalFile());
        return helper.CopyAndRegister(progress, prompts);
    }

    void ExpectVersionAAsItWas() {
        const Machine now = Look();
        EXPECT_EQ(now.record_version, u"26.0.0.1");
        EXPECT_EQ(now.uninstall_version, u"26.0.0.1");
        EXPECT_EQ(now.uninstall_location, RollbackDest());
        EXPECT_TRUE(now.files == version_a_.files) << "files differ from version A's";
        for (const auto& [path, bytes] : now.files)
            EXPECT_TRUE(version_a_.files.count(path)) << "left behind: " << path;
        EXPECT_FALSE(tltest::FileExists(JournalFile()));
        wchar_t system[MAX_PATH];
        GetSystemDirectoryW(system, MAX_PATH);
        EXPECT_FALSE(tltest::FileExists(TLString(system) + u"\\TLRuntimeHelper.dll.tlold")) << "a set-aside file";
    }

    static tltest::PendingRenamesGuard* renames_;
    Machine version_a_;
};
tltest::PendingRenamesGuard* Reinstall::renames_ = nullptr;

TEST_F(Reinstall, FullDiskHalfWayAsksThenLeavesVersionAByteForByte) {
    tltest::RecordingPrompts prompts;  // Cancel, the safe answer
    {
        // The seven core libraries, the system files and fonts, then a few program files.
        tlwin::PlantedFault full(tlwin::FaultCall::kFileCopy, ERROR_DISK_FULL, 20);
        EXPECT_FALSE(Install(DistB(), prompts));
    }
    EXPECT_EQ(Titles(prompts.asked), (std::vector<std::string>{"Failure Copying System File", "Install Error"}));
    const TLString& text = prompts.asked[0].text;
    EXPECT_NE(text.Find(u"could not be copied:\r\n" + tlwin::SystemMessage(ERROR_DISK_FULL)), TLString::npos) << text;
    EXPECT_NE(text.Find(u"'" + RollbackDest()), TLString::npos) << text;
    ExpectVersionAAsItWas();
}

TEST_F(Reinstall, CancelOnTheCoreLibraryBoxLeavesVersionAAsItWas) {
    tltest::RecordingPrompts prompts;
    {
        tltest::HeldFile held(RollbackDest() + u"TLPlayer.dll");
        ASSERT_TRUE(held.held());
        EXPECT_FALSE(Install(DistB(), prompts));
    }
    EXPECT_EQ(Titles(prompts.asked), (std::vector<std::string>{"Failure Copying System File", "Install Error"}));
    EXPECT_NE(prompts.asked[0].text.Find(u"Please ensure that the file '" + RollbackDest() + u"TLPlayer.dll' is not in use."),
              TLString::npos)
        << prompts.asked[0].text;
    ExpectVersionAAsItWas();
}

TEST_F(Reinstall, DeniedProgramFileIsNamedAndRetryAfterTheFaultClearsCompletes) {
    auto fault = std::make_unique<tlwin::PlantedFault>(tlwin::FaultCall::kFileCopy, ERROR_ACCESS_DENIED, 20);
    ClearingPrompts prompts(fault);
    EXPECT_TRUE(Install(DistB(), prompts));
    ASSERT_EQ(Titles(prompts.asked), std::vector<std::string>{"Failure Copying System File"});
    const TLString& text = prompts.asked[0].text;
    EXPECT_NE(text.Find(u"The file '" + RollbackDest()), TLString::npos) << text;
    EXPECT_NE(text.Find(tlwin::SystemMessage(ERROR_ACCESS_DENIED)), TLString::npos) << text;
    for (const engine::SourceFile& file : engine::ListSourceTree(DistB() + u"Tunevault\\").files)
        EXPECT_EQ(tltest::ReadFileBytes(RollbackDest() + file.relative),
                  tltest::ReadFileBytes(DistB() + u"Tunevault\\" + file.relative))
            << file.relative;
}

// A run ended half way while installing elsewhere leaves its journal; the next run undoes it before
// anything else and then installs completely.
TEST_F(Reinstall, RunEndedHalfWayIsUndoneByTheNextRun) {
    const TLString elsewhere = TLString(kRollbackRoot) + u"Elsewhere\\Tonehall\\";
    {
        KillingPrompts killing;
        tlwin::PlantedFault full(tlwin::FaultCall::kFileCopy, ERROR_DISK_FULL, 20);
        EXPECT_THROW(Install(DistB(), killing, elsewhere), Killed);
    }
    ASSERT_TRUE(tltest::FileExists(JournalFile()));
    ASSERT_TRUE(tltest::FileExists(elsewhere + u"TLTools.dll"));

    tltest::RecordingPrompts prompts;
    EXPECT_TRUE(Install(DistB(), prompts));
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_FALSE(tlwin::FolderExists(TLString(kRollbackRoot) + u"Elsewhere\\")) << "the ended run's folders are gone";
    for (const engine::SourceFile& file : engine::ListSourceTree(DistB() + u"Tunevault\\").files)
        EXPECT_EQ(tltest::ReadFileBytes(RollbackDest() + file.relative),
                  tltest::ReadFileBytes(DistB() + u"Tunevault\\" + file.relative))
            << file.relative;
    EXPECT_EQ(Value(kUninstallKey, u"InstallLocation"), RollbackDest());
    EXPECT_FALSE(tltest::FileExists(JournalFile()));
}

// The uninstall entry's versions a record lists as there before the install.
std::set<std::string> EarlierVersions(const std::vector<journal::Entry>& record) {
    std::set<std::string> versions;
    for (const journal::Entry& entry : record)
        if (entry.kind == journal::EntryKind::kRegistryValue && entry.name == u"DisplayVersion") {
            std::u16string text(entry.earlier.data.size() / 2, u'\0');
            std::memcpy(text.data(), entry.earlier.data.data(), text.size() * 2);
            versions.insert(TLString(text.c_str()).ToUtf8());
        }
    return versions;
}

TEST_F(Reinstall, InstallRecordListsExactlyWhatWasPutInPlace) {
    const std::optional<std::vector<journal::Entry>> record_a = journal::ReadRecord(RollbackDest() + journal::kInstallRecordName);
    ASSERT_TRUE(record_a.has_value());
    tltest::RecordingPrompts prompts;
    ASSERT_TRUE(Install(DistB(), prompts));
    const std::optional<std::vector<journal::Entry>> record = journal::ReadRecord(RollbackDest() + journal::kInstallRecordName);
    ASSERT_TRUE(record.has_value());

    std::set<std::string> listed, listed_elsewhere;
    for (const journal::Entry& entry : *record) {
        if (entry.kind == journal::EntryKind::kCreatedFile || entry.kind == journal::EntryKind::kReplacedFile)
            (entry.path.StartsWithNoCase(RollbackDest()) ? listed : listed_elsewhere)
                .insert(entry.path.Mid(entry.path.StartsWithNoCase(RollbackDest()) ? RollbackDest().length() : 0).ToUtf8());
    }
    // Every file of the install folder but the record itself was put in place by this run.
    std::set<std::string> in_place;
    for (const engine::SourceFile& file : engine::ListSourceTree(RollbackDest()).files)
        if (file.relative != journal::kInstallRecordName) in_place.insert(file.relative.ToUtf8());
    EXPECT_EQ(listed, in_place);
    // Outside it: the system files that are always overwritten (those checked by version are as new as
    // version A's and stay), and the fonts.
    std::set<std::string> expected_elsewhere;
    const auto add_all = [&](const TLString& from, const TLString& to) {
        for (const engine::SourceFile& file : engine::ListSourceTree(from).files)
            expected_elsewhere.insert((to + file.relative).ToUtf8());
    };
    wchar_t system[MAX_PATH], wow64[MAX_PATH], windows[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    GetSystemWow64DirectoryW(wow64, MAX_PATH);
    GetWindowsDirectoryW(windows, MAX_PATH);
    for (const wchar_t* folder : {system, wow64})
        add_all(DistB() + u"System\\Always Overwrite\\", TLString(folder) + u"\\");
    add_all(DistB() + u"Fonts\\", TLString(windows) + u"\\Fonts\\");
    EXPECT_EQ(listed_elsewhere, expected_elsewhere);
    // The uninstall entry's version as it was before version A came, not as A left it (26): the
    // reinstall keeps the first install's earlier values, so that an uninstall goes back past both.
    EXPECT_EQ(EarlierVersions(*record), EarlierVersions(*record_a));
    EXPECT_EQ(EarlierVersions(*record).count("26.0.0.1"), 0u);
}

}  // namespace
