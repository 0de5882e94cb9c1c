// The product installed by Setup.exe and removed by its uninstaller, as a person and a distributor
// would: through Wine's list of installed programs and from a script with "/Silent", also after a
// reinstall. What the install record lists is read back from the files and the registry afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>

#include "core/windows/registry.h"
#include "core/windows/run_program.h"
#include "engine/journal/journal.h"
#include "engine/journal/registry_state.h"
#include "product/uninstall/uninstall_app.h"
#include "product/uninstall/uninstall_confirmation.h"
#include "shell/registry/registry_changes.h"
#include "tests/app/distribution_fixture.h"
#include "tests/copy/copy_test_support.h"
#include "tests/support/product_keys.h"
#include "tests/support/win_test_support.h"
#include "tests/support/window_driver.h"
#include "tests/support/wizard_driver.h"
#include "toolkit/wizard/tl_wizard_ids.h"

namespace {

using journal::Entry;
using journal::EntryKind;

const TLString kDestination = tltest::InstalledProductCleanup::kDestination;
const TLString kUninstaller = kDestination + u"TLMediaUninstall.exe";
const TLString kRecord = kDestination + u"Install Record.tlr";
constexpr char16_t kInstallationsKey[] = u"Software\\C. Orvane\\Tone Core\\Installations";
constexpr char16_t kEntryName[] = u"Tonehall 27 (64-bit)";
constexpr char16_t kWineUninstaller[] = u"C:\\windows\\system32\\uninstaller.exe";

// Every file below `folder`, relative to it, sorted.
std::vector<std::string> FilesBelow(const TLString& folder, const TLString& relative = TLString()) {
    std::vector<std::string> files;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + relative + u"*").wc(), &data);
    if (find == INVALID_HANDLE_VALUE) return files;
    do {
        const TLString name(data.cFileName);
        if (name == u"." || name == u"..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            for (std::string& below : FilesBelow(folder, relative + name + u"\\")) files.push_back(std::move(below));
        } else {
            files.push_back((relative + name).ToUtf8());
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    std::sort(files.begin(), files.end());
    return files;
}

bool KeyExists(HKEY root, const TLString& path) { return tlwin::RegistryKey::Open(root, path).IsOpen(); }

// The person's library and settings: the product's data folder and settings key.
TLString DataFolder() {
    wchar_t app_data[MAX_PATH] = {};
    GetEnvironmentVariableW(L"APPDATA", app_data, MAX_PATH);
    return TLString(app_data).EnsureTrailingBackslash() + u"C. Orvane\\Tonehall 27\\";
}
using tltest::kProductSettingsKey;

bool UserDataThere() {
    return GetFileAttributesW(DataFolder().wc()) != INVALID_FILE_ATTRIBUTES &&
           KeyExists(HKEY_CURRENT_USER, kProductSettingsKey);
}

bool Listed() {
    return tltest::CaptureOutput(TLString(kWineUninstaller) + u" --list").find("Tonehall 27 (64-bit)|||") !=
           std::string::npos;
}

// Each value an uninstall gives back: the other program's value from the backup an earlier install
// kept as text, else the value the install found before it first wrote it. Earlier installs in the
// prefix, never uninstalled, leave backups older than the value this install found; a backup the
// install made of its own first write (two file types of one MIME type) is not one of them. One per
// entry of the record, read before the uninstall, which deletes the backups.
std::vector<journal::ValueState> ValuesToGiveBack(const std::vector<Entry>& record) {
    const auto value_key = [](const Entry& entry, const TLString& name) {
        return std::u16string((entry.root + u"\\" + entry.path + u"\\" + name).MakeLower().view());
    };
    std::map<std::u16string, journal::ValueState> found_first;
    for (const Entry& entry : record)
        if (entry.kind == EntryKind::kRegistryValue) found_first.try_emplace(value_key(entry, entry.name), entry.earlier);
    std::vector<journal::ValueState> values;
    for (const Entry& entry : record) {
        if (entry.kind != EntryKind::kRegistryValue) {
            values.push_back(entry.earlier);
            continue;
        }
        const TLString backup_name = shell::BackupValueName(entry.name);
        const journal::ValueState backup =
            journal::ReadValueState(journal::RootOfWord(entry.root), entry.path, backup_name);
        const auto own = found_first.find(value_key(entry, backup_name));
        const bool kept_earlier = backup.existed && backup.type == REG_SZ &&
                                  (own == found_first.end() || own->second.existed);
        values.push_back(kept_earlier ? backup : found_first.at(value_key(entry, entry.name)));
    }
    return values;
}

// What the install changed in the registry is as it was before it (or holds the kept backup's value),
// its files gone but `kept`.
void ExpectUndone(const std::vector<Entry>& record, const std::vector<journal::ValueState>& given_back,
                  std::initializer_list<const char16_t*> kept) {
    for (size_t i = 0; i < record.size(); ++i) {
        const Entry& entry = record[i];
        const HKEY root = journal::RootOfWord(entry.root);
        // The person's settings: the box decides, checked on their own.
        if (entry.root == u"HKCU" && (entry.path + u"\\").StartsWithNoCase(TLString(kProductSettingsKey) + u"\\")) continue;
        switch (entry.kind) {
            case EntryKind::kCreatedKey:
                EXPECT_FALSE(KeyExists(root, entry.path)) << entry.path.ToUtf8();
                break;
            case EntryKind::kRegistryValue:
                EXPECT_EQ(journal::ReadValueState(root, entry.path, entry.name), given_back[i])
                    << entry.path.ToUtf8() << " " << entry.name.ToUtf8();
                break;
            case EntryKind::kCreatedFile:
            case EntryKind::kReplacedFile:
                if (!entry.path.StartsWithNoCase(kDestination)) break;
                if (std::none_of(kept.begin(), kept.end(), [&](const char16_t* k) { return entry.path.EqualsNoCase(k); })) {
                    EXPECT_FALSE(tltest::FileExists(entry.path)) << entry.path.ToUtf8();
                }
                break;
            default:
                break;
        }
    }
}

class Uninstall : public ::testing::Test {
protected:
    void SetUp() override {
        // Another product of the family was the last one installed: the install takes that over.
        ASSERT_TRUE(tltest::WriteRegistryString(HKEY_LOCAL_MACHINE, kInstallationsKey, u"", u"Tone Other 1"));
        tltest::StartedProgram setup(distribution_.SetupExe(), u"/Silent /NoRun");
        ASSERT_TRUE(setup.Wait(120000).finished);
        std::optional<std::vector<Entry>> record = journal::ReadRecord(kRecord);
        ASSERT_TRUE(record.has_value());
        record_ = std::move(*record);
        given_back_ = ValuesToGiveBack(record_);
        ASSERT_TRUE(Listed());
        ASSERT_TRUE(UserDataThere());
        // The package installer stand-in's own log of the commands it got: no file of the product.
        DeleteFileW((kDestination + u"PackageInstaller.log").wc());
    }

    tltest::InstalledProductCleanup installed_;
    tltest::PendingRenamesGuard renames_;
    tltest::Distribution distribution_;
    std::vector<Entry> record_;
    std::vector<journal::ValueState> given_back_;
};

// Starts the installed main program and waits for its window.
bool StartProduct(tltest::StartedProgram& product) {
    for (int poll = 0; poll < 400 && !tltest::FindVisibleWindow(product.id(), u"QVFrame"); ++poll) Sleep(50);
    return tltest::FindVisibleWindow(product.id(), u"QVFrame") != nullptr;
}

// The uninstaller's window of any process (Wine's uninstaller starts it as its child), once its
// question is up.
HWND WaitForQuestion() {
    for (int poll = 0; poll < 1200; ++poll, Sleep(50)) {
        HWND window = tltest::FindVisibleWindow(0, u"TLWizardPopupWnd");
        if (window && tltest::AllText(window).Find(u"Are you sure") != TLString::npos) return window;
    }
    return nullptr;
}

// A control of another process's window, at any depth.
HWND ChildWithId(HWND window, int id) {
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) {
            auto* search = reinterpret_cast<Search*>(data);
            if (GetDlgCtrlID(child) != search->id) return TRUE;
            search->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Presses a button of the uninstaller's window until its guard against hasty clicks lets the click
// through and the window goes.
bool PressAndWaitGone(HWND window, int id) {
    const auto gone = [window] { return !IsWindow(window) || !IsWindowVisible(window); };
    for (int attempt = 0; attempt < 40 && !gone(); ++attempt) {
        HWND button = ChildWithId(window, id);
        if (!button) return false;
        PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        for (int poll = 0; poll < 10 && !gone(); ++poll) Sleep(50);
    }
    return gone();
}

TEST_F(Uninstall, ThroughWinesListClosesTheRunningProductAndLeavesOnlyThePersonsFiles) {
    const TLString notes = kDestination + u"Data\\my notes.txt";
    {
        HANDLE file = CreateFileW(notes.wc(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
    }
    const TLString in_use = kDestination + u"Skins\\Standard View\\Standard.tlskin";
    tltest::HeldFile held(in_use);
    ASSERT_TRUE(held.held());
    tltest::StartedProgram product(kDestination + u"Tonehall.exe", u"");
    ASSERT_TRUE(StartProduct(product));

    tltest::StartedProgram list(kWineUninstaller, TLString(u"--remove \"") + kEntryName + u"\"");
    HWND window = WaitForQuestion();
    ASSERT_NE(window, nullptr);
    DWORD uninstaller_id = 0;
    GetWindowThreadProcessId(window, &uninstaller_id);
    HANDLE uninstaller = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, uninstaller_id);
    ASSERT_NE(uninstaller, nullptr);
    EXPECT_NE(tltest::AllText(window).Find(u"Are you sure you want to remove Tonehall"), TLString::npos)
        << tltest::AllText(window).ToUtf8();
    HWND remove_user_data = ChildWithId(window, uninstall::kRemoveUserDataCheckId);
    ASSERT_NE(remove_user_data, nullptr);
    EXPECT_EQ(SendMessageW(remove_user_data, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    SendMessageW(remove_user_data, BM_SETCHECK, BST_CHECKED, 0);
    ASSERT_TRUE(PressAndWaitGone(window, toolkit::kNextButtonId));

    HWND close = tltest::WaitForDialog(u"Tonehall Open", uninstaller_id);
    ASSERT_NE(close, nullptr);
    EXPECT_TRUE(tltest::PressButton(close, u"Yes"));
    EXPECT_TRUE(product.Wait(30000).finished);
    HWND done = tltest::WaitForDialog(u"Uninstall Tonehall", uninstaller_id);
    ASSERT_NE(done, nullptr);
    EXPECT_NE(tltest::AllText(done).Find(u"restart"), TLString::npos) << tltest::AllText(done).ToUtf8();
    EXPECT_TRUE(tltest::PressButton(done, u"OK"));
    ASSERT_EQ(WaitForSingleObject(uninstaller, 60000), WAIT_OBJECT_0);
    DWORD exit_code = 0;
    GetExitCodeProcess(uninstaller, &exit_code);
    CloseHandle(uninstaller);
    EXPECT_EQ(exit_code, static_cast<DWORD>(uninstall::kExitRestartNeeded));
    list.Wait(30000);

    EXPECT_FALSE(Listed());
    TLString last;
    EXPECT_TRUE(tltest::ReadRegistryString(HKEY_LOCAL_MACHINE, kInstallationsKey, u"", &last));
    EXPECT_EQ(last, u"Tone Other 1");
    ExpectUndone(record_, given_back_, {in_use.c_str(), kUninstaller.c_str()});
    EXPECT_TRUE(tltest::FileExists(notes));
    EXPECT_FALSE(GetFileAttributesW(DataFolder().wc()) != INVALID_FILE_ATTRIBUTES) << "the box was ticked";
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kProductSettingsKey));

    held.Release();
    ASSERT_TRUE(tltest::RunAndWait(u"C:\\windows\\system32\\wineboot.exe", u"-r", 120000).finished);
    EXPECT_EQ(FilesBelow(kDestination), std::vector<std::string>{"Data\\my notes.txt"});
}

TEST_F(Uninstall, KeepingTheRunningProductOpenChangesNothing) {
    tltest::StartedProgram product(kDestination + u"Tonehall.exe", u"");
    ASSERT_TRUE(StartProduct(product));
    tltest::StartedProgram uninstaller(kUninstaller, u"");
    HWND window = WaitForQuestion();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(PressAndWaitGone(window, toolkit::kNextButtonId));
    HWND close = tltest::WaitForDialog(u"Tonehall Open", uninstaller.id());
    ASSERT_NE(close, nullptr);
    EXPECT_TRUE(tltest::PressButton(close, u"No"));
    const tltest::ProgramResult refused = uninstaller.Wait(60000);
    ASSERT_TRUE(refused.finished);
    EXPECT_EQ(refused.exit_code, static_cast<DWORD>(uninstall::kExitFailed));
    EXPECT_TRUE(tltest::FindVisibleWindow(product.id(), u"QVFrame") != nullptr);
    EXPECT_TRUE(Listed());
    EXPECT_TRUE(tltest::FileExists(kRecord));
    for (const Entry& entry : record_)
        if (entry.kind == EntryKind::kCreatedFile && entry.path.StartsWithNoCase(kDestination)) {
            EXPECT_TRUE(tltest::FileExists(entry.path)) << entry.path.ToUtf8();
        }
}

TEST_F(Uninstall, SilentIgnoresPathsOutsideTheProductAndASecondRunChangesNothing) {
    const TLString canary = u"C:\\windows\\tltest-uninstall-canary.txt";
    ASSERT_TRUE(CloseHandle(CreateFileW(canary.wc(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)));
    // A record edited to name what the install never put there.
    std::string record = tltest::ReadFileBytes(kRecord);
    for (const char* line : {"created-file\tC:\\windows\\tltest-uninstall-canary.txt",
                             "created-file\tC:\\Program Files\\Tonehall 27\\..\\..\\windows\\tltest-uninstall-canary.txt",
                             "created-folder\tC:\\windows\\", "created-folder\tC:\\windows\\system32"})
        record += std::string(line) + "\r\n";
    {
        HANDLE file = CreateFileW(kRecord.wc(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
        CloseHandle(file);
    }

    // The program files' input plug-in is registered in the person's settings; another plug-in,
    // whose library is no file of the product, is too.
    const TLString plugins = TLString(kProductSettingsKey) + u"\\Plugins\\";
    ASSERT_TRUE(KeyExists(HKEY_CURRENT_USER, plugins + u"Uninstall\\in_tonehall.dll"));
    ASSERT_TRUE(KeyExists(HKEY_CURRENT_USER, plugins + u"Input\\tha"));
    ASSERT_TRUE(tltest::WriteRegistryString(HKEY_CURRENT_USER, plugins + u"DSP\\Other", u"Path", kWineUninstaller));
    ASSERT_TRUE(tltest::WriteRegistryString(HKEY_CURRENT_USER, plugins + u"Uninstall\\uninstaller.exe", u"Path",
                                            kWineUninstaller));
    ASSERT_TRUE(tltest::WriteRegistryString(HKEY_CURRENT_USER, plugins + u"Uninstall\\uninstaller.exe", u"Sections",
                                            u"Plugins\\DSP\\Other"));

    tltest::StartedProgram first(kUninstaller, u"/Silent");
    const tltest::ProgramResult removed = first.Wait(60000);
    ASSERT_TRUE(removed.finished);
    EXPECT_EQ(removed.exit_code, static_cast<DWORD>(uninstall::kExitRemoved));
    EXPECT_TRUE(tltest::FileExists(canary));
    EXPECT_TRUE(tltest::LogContains(first, u"Left alone (outside the product's folders): C:\\windows\\tltest-uninstall-canary.txt"));
    EXPECT_TRUE(tltest::LogContains(
        first, u"Left alone (outside the product's folders): C:\\Program Files\\Tonehall 27\\..\\..\\windows"));
    EXPECT_FALSE(Listed());
    ExpectUndone(record_, given_back_, {kUninstaller.c_str()});
    EXPECT_TRUE(UserDataThere()) << "nobody ticked the box";
    for (const char16_t* gone : {u"Uninstall\\in_tonehall.dll", u"Input\\tha", u"Input\\thl"})
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, plugins + gone)) << TLString(gone).ToUtf8();
    for (const char16_t* kept : {u"Uninstall\\uninstaller.exe", u"DSP\\Other"})
        EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, plugins + kept)) << TLString(kept).ToUtf8();
    DeleteFileW(canary.wc());

    // Its program waits for the next start; run again (the tools library, and with it the log, gone
    // already), it finds nothing to remove and ends as having removed the product.
    ASSERT_TRUE(tltest::FileExists(kUninstaller));
    const TLString added = kDestination + u"added later.txt";
    ASSERT_TRUE(CloseHandle(CreateFileW(added.wc(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)));
    ASSERT_TRUE(tltest::WriteRegistryString(HKEY_LOCAL_MACHINE, kInstallationsKey, u"", u"Tone Other 2"));
    tltest::StartedProgram second(kUninstaller, u"/Silent");
    const tltest::ProgramResult again = second.Wait(60000);
    ASSERT_TRUE(again.finished);
    EXPECT_EQ(again.exit_code, static_cast<DWORD>(uninstall::kExitRemoved));
    EXPECT_TRUE(tltest::FileExists(added));
    TLString last;
    EXPECT_TRUE(tltest::ReadRegistryString(HKEY_LOCAL_MACHINE, kInstallationsKey, u"", &last));
    EXPECT_EQ(last, u"Tone Other 2");
}

// The registry trees an install writes below, whole: the shell registration, the product's machine
// settings and its uninstall entry.
const std::pair<HKEY, const char16_t*> kTreesAnInstallWrites[] = {
    {HKEY_LOCAL_MACHINE, u"Software\\Classes"},
    {HKEY_CURRENT_USER, u"Software\\Classes"},
    {HKEY_LOCAL_MACHINE, u"Software\\Clients\\Media"},
    {HKEY_LOCAL_MACHINE, u"Software\\RegisteredApplications"},
    {HKEY_LOCAL_MACHINE, u"Software\\C. Orvane"},
    {HKEY_LOCAL_MACHINE, u"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"},
};

std::vector<tltest::TreeSnapshot> LookAtTheRegistry() {
    std::vector<tltest::TreeSnapshot> trees;
    for (const auto& [root, key] : kTreesAnInstallWrites) trees.push_back(tltest::RegistrySnapshot(root, key));
    return trees;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// A registry tree as an uninstall leaves it: as it was, except that each value the install changed and
// that has a backup ("<name>.BAK", "Default.BAK" for the unnamed value; earlier installs in the
// prefix leave them) holds the other program's value from it again, and the backup is gone.
tltest::TreeSnapshot WithBackupsGivenBack(tltest::TreeSnapshot tree, HKEY root, const TLString& top,
                                          const std::vector<Entry>& record) {
    std::set<std::string> changed;
    for (const Entry& entry : record)
        if (entry.kind == EntryKind::kRegistryValue && journal::RootOfWord(entry.root) == root &&
            (entry.path + u"\\").StartsWithNoCase(top + u"\\"))
            changed.insert(Lower((entry.path.Mid(top.length()) + u"|" + entry.name).ToUtf8()));
    constexpr std::string_view kBackup = ".BAK";
    for (auto value = tree.begin(); value != tree.end();) {
        const std::string& path = value->first;
        const size_t bar = path.rfind('|');
        if (bar == std::string::npos || !path.ends_with(kBackup)) {
            ++value;
            continue;
        }
        std::string name = path.substr(bar + 1, path.size() - bar - 1 - kBackup.size());
        if (name == "Default") name.clear();
        const std::string backed_up = path.substr(0, bar + 1) + name;
        if (!changed.count(Lower(backed_up))) {
            ++value;
            continue;
        }
        tree[backed_up] = value->second;
        value = tree.erase(value);
    }
    return tree;
}

// What differs between two trees, one line each.
std::string Differences(const tltest::TreeSnapshot& expected, const tltest::TreeSnapshot& now) {
    std::string lines;
    for (const auto& [path, data] : now)
        if (!expected.count(path))
            lines += "left: " + path + "\n";
        else if (expected.at(path) != data)
            lines += "changed: " + path + "\n";
    for (const auto& [path, data] : expected)
        if (!now.count(path)) lines += "gone: " + path + "\n";
    return lines;
}

// A reinstall into the same folder with another choice: the associations the first install made are
// none of the second's, yet the uninstall takes them away too, and gives another program's extension
// back to it.
TEST(UninstallAfterReinstall, LeavesTheMachineAsItWasBeforeTheFirstInstall) {
    tltest::InstalledProductCleanup installed;
    tltest::PendingRenamesGuard renames;
    tltest::Distribution distribution;
    // Earlier installs in the prefix, never uninstalled, left the product's COM classes registered:
    // the uninstall takes them back with the libraries, so the state before has none.
    for (const std::string& file : FilesBelow(distribution.Path(u"Tunevault\\")))
        if (TLString::FromUtf8(file).EndsWithNoCase(u".dll"))
            tlwin::UnregisterInProcess(distribution.Path(u"Tunevault\\") + TLString::FromUtf8(file));
    tltest::RegistryCleanup other_program(HKEY_LOCAL_MACHINE, u"Software\\Classes\\.mp3");
    ASSERT_TRUE(tltest::WriteRegistryString(HKEY_LOCAL_MACHINE, u"Software\\Classes\\.mp3", u"", u"Other.mp3"));
    const std::vector<tltest::TreeSnapshot> before = LookAtTheRegistry();

    tltest::StartedProgram first(distribution.SetupExe(), u"/Silent /NoRun");
    ASSERT_TRUE(first.Wait(120000).finished);
    TLString owner;
    ASSERT_TRUE(tltest::ReadRegistryString(HKEY_CLASSES_ROOT, u".mp3", u"", &owner));
    ASSERT_EQ(owner, u"Tonehall.27.File");
    tltest::StartedProgram second(distribution.SetupExe(), u"/Silent /NoRun /NoAssociations");
    ASSERT_TRUE(second.Wait(120000).finished);
    ASSERT_TRUE(Listed());

    const std::optional<std::vector<Entry>> record = journal::ReadRecord(kRecord);
    ASSERT_TRUE(record.has_value());

    tltest::StartedProgram uninstaller(kUninstaller, u"/Silent");
    const tltest::ProgramResult removed = uninstaller.Wait(60000);
    ASSERT_TRUE(removed.finished);
    EXPECT_EQ(removed.exit_code, static_cast<DWORD>(uninstall::kExitRemoved));
    EXPECT_TRUE(tltest::ReadRegistryString(HKEY_CLASSES_ROOT, u".mp3", u"", &owner));
    EXPECT_EQ(owner, u"Other.mp3");
    const std::vector<tltest::TreeSnapshot> after = LookAtTheRegistry();
    for (size_t i = 0; i < after.size(); ++i)
        EXPECT_EQ(Differences(WithBackupsGivenBack(before[i], kTreesAnInstallWrites[i].first,
                                                   kTreesAnInstallWrites[i].second, *record),
                              after[i]),
                  "")
            << TLString(kTreesAnInstallWrites[i].second).ToUtf8();
    // Only the uninstaller, which waits for the next start, and the package installer stand-in's log.
    EXPECT_EQ(FilesBelow(kDestination), (std::vector<std::string>{"PackageInstaller.log", "TLMediaUninstall.exe"}));
}

}  // namespace
