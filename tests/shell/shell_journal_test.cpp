// A registration round written into the machine's own registry with the install's journal: rolled
// back, it leaves every key it touched as it was (another program's extension that program's again);
// committed, the install record lists each value with what it held before and what the round wrote.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "core/windows/registry.h"
#include "engine/journal/journal.h"
#include "shell/shell_registration.h"
#include "shell/templates/template_table.h"
#include "tests/support/product_tools.h"
#include "tests/support/recording_prompts.h"
#include "tests/support/win_test_support.h"

namespace {

constexpr char16_t kAssociations[] = u"Data\\Default Resources\\FileAssociations.xml";

journal::ValueState Text(std::u16string_view text) {
    journal::ValueState state{true, REG_SZ, {}};
    for (const char16_t c : text)
        state.data.insert(state.data.end(), {static_cast<uint8_t>(c & 0xFF), static_cast<uint8_t>(c >> 8)});
    state.data.insert(state.data.end(), {0, 0});
    return state;
}

class ShellJournal : public ::testing::Test {
protected:
    // What other tests' installs leave in the prefix would be this round's earlier values.
    static void ForgetMediaClient() {
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, L"Software\\RegisteredApplications", L"Tonehall Media Player");
    }
    void TearDown() override { ForgetMediaClient(); }
    void SetUp() override {
        ForgetMediaClient();
        ASSERT_TRUE(tools_.loaded());
        ASSERT_TRUE(tools_.scratch().WriteFile(
            TLString(u"Installed\\") + kAssociations,
            tltest::ReadFileBytes(tltest::BuildPath(u"distribution/Tunevault/") + kAssociations)));
        ASSERT_TRUE(tltest::WriteRegistryString(HKEY_CLASSES_ROOT, u".mp3", u"", u"Other.mp3"));
    }

    void Register(journal::CJournal& journal) {
        ASSERT_TRUE(journal.Start());
        shell::RegistryRoots roots;
        roots.notes = &journal;
        shell::CShellRegistration registration(tools_.InstallFolder(), prompts_, roots);
        registration.SetApply(true);
        registration.SetFileTypes({u"mp3", u"mpl"});
        registration.End();
        ASSERT_TRUE(prompts_.asked.empty());
    }

    // Every key the round writes below, whole.
    std::vector<std::pair<HKEY, TLString>> Touched() {
        shell::CShellRegistration registration(tools_.InstallFolder(), prompts_);
        std::vector<std::pair<HKEY, TLString>> keys = {
            {HKEY_CLASSES_ROOT, u".mp3"},
            {HKEY_CLASSES_ROOT, u".mpl"},
            {HKEY_CLASSES_ROOT, u"Mime\\Database\\Content Type\\audio/mpeg"},
            {HKEY_CLASSES_ROOT, u"tonehall"},
            {HKEY_LOCAL_MACHINE, u"Software\\Clients\\Media"},
            {HKEY_LOCAL_MACHINE, u"Software\\RegisteredApplications"},
        };
        const auto art = [&](const TLString& name) { return registration.FindArt(name); };
        for (const shell::TemplateValue& value :
             shell::PlanTemplateLines(shell::BuildTemplateTable(true), registration.placeholders(), art, false)) {
            const HKEY root = value.root == shell::RegistryRoot::kLocalMachine  ? HKEY_LOCAL_MACHINE
                              : value.root == shell::RegistryRoot::kCurrentUser ? HKEY_CURRENT_USER
                                                                                : HKEY_CLASSES_ROOT;
            keys.emplace_back(root, value.key);
        }
        return keys;
    }
    // Each key whole, and which of the keys above it are there.
    std::vector<tltest::TreeSnapshot> Look() {
        std::vector<tltest::TreeSnapshot> now;
        for (const auto& [root, key] : Touched()) {
            tltest::TreeSnapshot snapshot = tltest::RegistrySnapshot(root, key.view());
            for (size_t slash = key.Find(u'\\'); slash != TLString::npos; slash = key.Find(u'\\', slash + 1))
                snapshot["above " + key.Left(slash).ToUtf8()] =
                    tlwin::RegistryKey::Open(root, key.Left(slash)).IsOpen() ? "there" : "missing";
            now.push_back(std::move(snapshot));
        }
        return now;
    }

    tltest::RegistryCleanup other_program_{HKEY_CLASSES_ROOT, u".mp3"};
    tltest::RegistryCleanup playlist_{HKEY_CLASSES_ROOT, u".mpl"};
    tltest::RegistryCleanup media_client_{HKEY_LOCAL_MACHINE, u"Software\\Clients\\Media\\Tonehall Media Player"};
    tltest::ProductTools tools_;
    tltest::RecordingPrompts prompts_;
};

TEST_F(ShellJournal, ARolledBackRoundLeavesTheRegistryAsItWas) {
    const std::vector<tltest::TreeSnapshot> before = Look();
    journal::CJournal journal(tools_.scratch().Path(u"Setup.journal"));
    Register(journal);
    TLString ours;
    ASSERT_TRUE(tltest::ReadRegistryString(HKEY_CLASSES_ROOT, u".mp3", u"", &ours));
    ASSERT_EQ(ours, u"Tonehall.27.File");
    journal.RollBack();
    const std::vector<tltest::TreeSnapshot> after = Look();
    const std::vector<std::pair<HKEY, TLString>> keys = Touched();
    for (size_t i = 0; i < keys.size(); ++i) EXPECT_EQ(after[i], before[i]) << keys[i].second;
}

// The journal kept aside before the commit is what a run ended half way leaves: undoing it takes the
// committed round away again.
TEST_F(ShellJournal, TheRecordListsEachValueWithItsEarlierAndWrittenData) {
    const std::vector<tltest::TreeSnapshot> before = Look();
    const TLString kept = tools_.scratch().Path(u"Kept.journal");
    const TLString record = tools_.scratch().Path(journal::kInstallRecordName);
    {
        journal::CJournal journal(tools_.scratch().Path(u"Setup.journal"));
        Register(journal);
        ASSERT_TRUE(CopyFileW(tools_.scratch().Path(u"Setup.journal").wc(), kept.wc(), FALSE));
        ASSERT_TRUE(journal.Commit(record));
    }
    const std::optional<std::vector<journal::Entry>> entries = journal::ReadRecord(record);
    ASSERT_TRUE(entries.has_value());
    const auto find = [&](const char16_t* root, const char16_t* key, const char16_t* name) {
        const auto found = std::find_if(entries->begin(), entries->end(), [&](const journal::Entry& entry) {
            return entry.kind == journal::EntryKind::kRegistryValue && entry.root == root &&
                   entry.path.EqualsNoCase(key) && entry.name == name;
        });
        return found == entries->end() ? journal::Entry() : *found;
    };
    const struct {
        const char16_t *root, *key, *name;
        journal::ValueState earlier, written;
    } expected[] = {
        {u"HKLM", u"Software\\Classes\\.mp3", u"", Text(u"Other.mp3"), Text(u"Tonehall.27.File")},
        {u"HKLM", u"Software\\Classes\\.mp3", u"Default.BAK", {}, Text(u"Other.mp3")},
        {u"HKLM", u"Software\\Classes\\.mpl", u"", {}, Text(u"Tonehall.27.Playlist")},
        {u"HKLM",
         u"Software\\Clients\\Media\\Tonehall Media Player\\Capabilities\\FileAssociations",
         u".xml",
         {},
         Text(u"Tonehall.27.Subscribe")},
        {u"HKLM",
         u"Software\\RegisteredApplications",
         u"Tonehall Media Player",
         {},
         Text(u"Software\\Clients\\Media\\Tonehall Media Player\\Capabilities")},
    };
    for (const auto& value : expected) {
        const journal::Entry entry = find(value.root, value.key, value.name);
        EXPECT_EQ(entry.earlier, value.earlier) << TLString(value.key) << " " << TLString(value.name);
        EXPECT_EQ(entry.written, std::optional(value.written)) << TLString(value.key) << " " << TLString(value.name);
    }
    EXPECT_TRUE(std::any_of(entries->begin(), entries->end(), [](const journal::Entry& entry) {
        return entry.kind == journal::EntryKind::kCreatedKey && entry.root == u"HKLM" &&
               entry.path == u"Software\\Clients\\Media\\Tonehall Media Player";
    }));

    ASSERT_TRUE(journal::RollBackLeftover(kept));
    const std::vector<tltest::TreeSnapshot> after = Look();
    for (size_t i = 0; i < after.size(); ++i) EXPECT_EQ(after[i], before[i]) << i;
}

}  // namespace
