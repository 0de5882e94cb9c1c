// The install counters in the product's settings after a first install and after an upgrade.
#include "shell/settings/install_counters.h"

#include <gtest/gtest.h>

#include "core/tools/tools.h"
#include "tests/support/product_keys.h"
#include "tests/support/product_tools.h"

namespace {

using tltest::kPropertiesKey;
constexpr char16_t kInstaller[] = u"Software\\C. Orvane\\Tonehall 27\\Installer";

bool HasValue(const char16_t* key, std::u16string_view name) {
    HKEY handle;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, reinterpret_cast<const wchar_t*>(key), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    const bool found =
        RegQueryValueExW(handle, TLString(name).wc(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(handle);
    return found;
}

DWORD Dword(const char16_t* key, std::u16string_view name) {
    DWORD value = 0xDEADBEEF;
    tltest::ReadRegistryDword(HKEY_CURRENT_USER, key, name, &value);
    return value;
}

TLString Text(const char16_t* key, std::u16string_view name) {
    TLString value = u"(absent)";
    tltest::ReadRegistryString(HKEY_CURRENT_USER, key, name, &value);
    return value;
}

class InstallCounters : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tools_.loaded());
        tools::Settings installer = tools::OpenSettingsSection(u"Installer");
        installer.SetInteger(u"Install - Install Count", 4);
        installer.SetString(u"Release Channel - Pending Install", u"27.1 beta");
        installer.SetString(u"Release Channel - Pending Install Version", u"27.1.0.5");
        installer.SetInteger(u"Release Channel - Pending Install Run Count", 3);
        installer.SetInteger(u"Release Channel - Pending Install Install Count", 1);
        tools::OpenSettingsSection(u"Properties").SetInteger(u"Install - Number Runs After Last Install", 12);
    }

    tltest::ProductTools tools_;
};

TEST_F(InstallCounters, FirstInstallDatesItselfAndClearsTheReleaseChannel) {
    RecordInstall(false);
    RecordInstallRun(false);
    EXPECT_EQ(Dword(kPropertiesKey, u"Install - First Install"), 1u);
    EXPECT_NE(Text(kPropertiesKey, u"Install - First Install Date"), u"(absent)");
    EXPECT_FALSE(Text(kPropertiesKey, u"Install - First Install Date").empty());
    EXPECT_EQ(Dword(kPropertiesKey, u"Install - Number Runs Total"), 0u);
    EXPECT_FALSE(HasValue(kPropertiesKey, u"File Associations - Set"));
    EXPECT_EQ(Dword(kPropertiesKey, u"Install - Number Runs After Last Install"), 0u);

    EXPECT_EQ(Dword(kInstaller, u"Install - Install Count"), 5u);
    EXPECT_EQ(Text(kInstaller, u"Release Channel - Pending Install"), u"");
    EXPECT_EQ(Text(kInstaller, u"Release Channel - Pending Install Version"), u"");
    EXPECT_FALSE(HasValue(kInstaller, u"Release Channel - Pending Install Run Count"));
    EXPECT_FALSE(HasValue(kInstaller, u"Release Channel - Pending Install Install Count"));
}

TEST_F(InstallCounters, UpgradeKeepsTheReleaseChannelAndCountsOn) {
    RecordInstall(true);
    RecordInstallRun(true);
    RecordInstallRun(true);
    EXPECT_EQ(Dword(kPropertiesKey, u"Install - First Install"), 0u);
    EXPECT_EQ(Dword(kPropertiesKey, u"File Associations - Set"), 1u);
    EXPECT_FALSE(HasValue(kPropertiesKey, u"Install - First Install Date"));
    EXPECT_EQ(Dword(kInstaller, u"Install - Install Count"), 6u);
    EXPECT_EQ(Text(kInstaller, u"Release Channel - Pending Install"), u"27.1 beta");
    EXPECT_EQ(Dword(kInstaller, u"Release Channel - Pending Install Run Count"), 3u);
}

}  // namespace
