// The checks' Windows side against the real registry and COM under Wine.
#include <gtest/gtest.h>
#include <windows.h>
// ole2.h needs windows.h first.
#include <ole2.h>

#include "app/system_checks/browser_check.h"
#include "app/system_checks/rights_check.h"
#include "core/windows/fault_seam.h"
#include "tests/support/win_test_support.h"

namespace {

constexpr wchar_t kCheckKey[] = L"Software\\C. Orvane\\Rights Check";
constexpr char16_t kBrowserKey[] = u"Software\\Microsoft\\Internet Explorer";

bool KeyExists(const wchar_t* path) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

DWORD ValueCount(const wchar_t* path) {
    HKEY key;
    DWORD values = 0;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    return values;
}

TEST(RightsCheckOnTheMachine, PassesAndLeavesOnlyTheVendorKey) {
    tltest::RegistryCleanup check(HKEY_LOCAL_MACHINE, u"Software\\C. Orvane\\Rights Check");
    EXPECT_TRUE(syschecks::RightsCheck());
    EXPECT_TRUE(KeyExists(L"Software\\C. Orvane"));
    EXPECT_FALSE(KeyExists(kCheckKey));
}

// A "Rights Check" key that RegDeleteKeyW refuses (it has a subkey) counts as missing rights; the
// value written is gone all the same.
TEST(RightsCheckOnTheMachine, FailsWhenItsKeyCannotBeDeleted) {
    tltest::RegistryCleanup check(HKEY_LOCAL_MACHINE, u"Software\\C. Orvane\\Rights Check");
    HKEY kept;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\C. Orvane\\Rights Check\\Kept", 0, nullptr, 0, KEY_WRITE,
                              nullptr, &kept, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(kept);
    EXPECT_FALSE(syschecks::RightsCheck());
    EXPECT_TRUE(KeyExists(kCheckKey));
    EXPECT_EQ(ValueCount(kCheckKey), 0u);
}

// A registry that refuses writes, as for a user without administrative rights.
TEST(RightsCheckOnTheMachine, FailsWhereTheMachinesSettingsCannotBeWritten) {
    tltest::RegistryCleanup check(HKEY_LOCAL_MACHINE, u"Software\\C. Orvane\\Rights Check");
    {
        tlwin::PlantedFault denied(tlwin::FaultCall::kRegistryWrite, ERROR_ACCESS_DENIED);
        EXPECT_FALSE(syschecks::RightsCheck());
    }
    EXPECT_FALSE(KeyExists(kCheckKey));
}

class BrowserComponentOnTheMachine : public ::testing::Test {
protected:
    BrowserComponentOnTheMachine() { EXPECT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
    ~BrowserComponentOnTheMachine() override { OleUninitialize(); }
};

TEST_F(BrowserComponentOnTheMachine, IsCreatedAndReportsItsVersion) {
    TLString version;
    ASSERT_TRUE(tltest::ReadRegistryString(HKEY_LOCAL_MACHINE, kBrowserKey, u"Version", &version));
    const syschecks::BrowserComponent browser = syschecks::ReadBrowserComponent();
    EXPECT_TRUE(browser.available);
    EXPECT_EQ(browser.version, version);
}

// The version value taken away for the test's duration.
TEST_F(BrowserComponentOnTheMachine, WithoutAVersionValueCountsAsVersionOne) {
    TLString version;
    ASSERT_TRUE(tltest::ReadRegistryString(HKEY_LOCAL_MACHINE, kBrowserKey, u"Version", &version));
    ASSERT_EQ(RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Internet Explorer", L"Version"),
              ERROR_SUCCESS);
    const syschecks::BrowserComponent browser = syschecks::ReadBrowserComponent();
    EXPECT_TRUE(tltest::WriteRegistryString(HKEY_LOCAL_MACHINE, kBrowserKey, u"Version", version));
    EXPECT_EQ(browser.version, u"1.0.0.0");
}

}  // namespace
