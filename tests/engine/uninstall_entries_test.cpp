// The product family's uninstall entries (prefix "Tonehall", product name "Tonehall 27"), in process
// against the real registry.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/uninstall/uninstall_entries.h"
#include "tests/support/win_test_support.h"

namespace {

constexpr char16_t kUninstallKey[] = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

struct Entry {
    const char16_t* name;
    const char16_t* publisher;
};

struct EntriesCase {
    const char* name;
    bool wow64_view;
    std::vector<Entry> entries;  // written into the view that is searched
    const char16_t* entry_name;
    std::vector<const char16_t*> others;
    bool found;
};

class FindUninstallEntriesTest : public ::testing::TestWithParam<EntriesCase> {};

TEST_P(FindUninstallEntriesTest, SortsTheFamilysEntries) {
    const EntriesCase& c = GetParam();
    const REGSAM view = c.wow64_view ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
    std::vector<std::unique_ptr<tltest::RegistryCleanup>> cleanups;
    for (const Entry& entry : c.entries) {
        const TLString path = kUninstallKey + TLString(entry.name);
        cleanups.push_back(std::make_unique<tltest::RegistryCleanup>(
            HKEY_LOCAL_MACHINE, (c.wow64_view ? TLString(u"SOFTWARE\\WOW6432Node\\") + path.Mid(9) : path).view()));
        ASSERT_TRUE(tltest::WriteRegistryString(HKEY_LOCAL_MACHINE, path, u"Publisher", entry.publisher, view));
    }

    const UninstallEntries result = FindUninstallEntries(u"Tonehall", u"Tonehall 27", c.wow64_view);
    EXPECT_EQ(result.found, c.found);
    EXPECT_EQ(result.entry_name, TLString(c.entry_name));
    ASSERT_EQ(result.other_entries.GetCount(), c.others.size());
    for (size_t i = 0; i < c.others.size(); ++i) EXPECT_EQ(result.other_entries[i], TLString(c.others[i]));
}

INSTANTIATE_TEST_SUITE_P(
    Entries, FindUninstallEntriesTest,
    ::testing::Values(
        EntriesCase{"NoneYet", false, {}, u"Tonehall 27 (64-bit)", {}, false},
        EntriesCase{"ThisProductAndItsFamily",
                    false,
                    {{u"Tonehall 27 (64-bit)", u"Corvane, Inc."},
                     {u"Tonehall 26", u"C. Orvane, Inc."},
                     {u"tonehall 25", u"CORVANE, INC."},
                     {u"Tonehall 24", u"Someone Else"},
                     {u"Other Player", u"Corvane, Inc."}},
                    u"Tonehall 27 (64-bit)",
                    {u"tonehall 25", u"Tonehall 26"},  // in the order the registry lists them
                    true},
        EntriesCase{"AnotherPublishersEntryTakesNoName",
                    false,
                    {{u"Tonehall 27 (64-bit)", u"Someone Else"}, {u"Tonehall 27 (64-bit) (2)", u"Someone Else"}},
                    u"Tonehall 27 (64-bit) (3)",
                    {},
                    false},
        EntriesCase{
            "ThirtyTwoBitViewHasNoSuffix", true, {{u"Tonehall 27", u"C. Orvane, Inc."}}, u"Tonehall 27", {}, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
