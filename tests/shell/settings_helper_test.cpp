// CSettingsHelper against the product's real tools library: the three sources of a setting, the
// identifiers outside the table, and the shell extension following the shell-integration setting.
#include "shell/settings/settings_helper.h"

#include <gtest/gtest.h>

#include "tests/support/product_keys.h"
#include "tests/support/product_tools.h"

namespace {

constexpr char16_t kProductXml[] =
    uR"(<?xml version="1.0" encoding="UTF-8"?>
<TLProduct version="1">
  <Items><Item number="0">Tonehall</Item><Item number="1">Tonehall</Item></Items>
  <Program version="27.0.0.1" file="Tonehall.exe" launcher="Tonehall Launcher.exe" startmenu="Tonehall 27"/>
  <DefaultSettings>
    <MINIMIZETOSYSTRAY>1</MINIMIZETOSYSTRAY>
    <RIP_SOUNDFILE>ding.wav</RIP_SOUNDFILE>
    <MINIVIEWCLOSEMODE>2</MINIVIEWCLOSEMODE>
    <ENABLESHELLINTEGRATION></ENABLESHELLINTEGRATION>
  </DefaultSettings>
</TLProduct>
)";
using tltest::kPropertiesKey;
constexpr char16_t kHandlerKey[] = u"*\\shellex\\ContextMenuHandlers\\Tonehall x64";

class SettingsHelperTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(tools_.loaded()); }

    void Store(std::u16string_view name, DWORD value) {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, reinterpret_cast<const wchar_t*>(kPropertiesKey), 0, nullptr, 0,
                                  KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, TLString(name).wc(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
        RegCloseKey(key);
    }

    tltest::ProductTools tools_{kProductXml};
    tltest::RegistryCleanup handler_{HKEY_CLASSES_ROOT, kHandlerKey};
};

TEST_F(SettingsHelperTest, StoredValueOverPresetOverBuiltInDefault) {
    Store(u"General - Mouse Wheel Volume", 0);
    CSettingsHelper settings;
    struct Case {
        int id;
        int expected;
    };
    const Case cases[] = {
        {2, 1},   // preset 1 over the built-in 0
        {86, 2},  // preset 2 over the built-in 0
        {17, 3},  // no preset: the built-in default
        {85, 0},  // stored 0 over the built-in 1
        {83, 9},
    };
    for (const Case& c : cases) EXPECT_EQ(settings.GetInt(c.id), c.expected) << c.id;

    Store(u"General - Minimize To System Tray", 0);
    EXPECT_EQ(settings.GetInt(2), 0);
    EXPECT_EQ(settings.GetIntDefault(2), 1);

    EXPECT_EQ(settings.GetString(55), u"ding.wav");
    EXPECT_EQ(settings.GetString(9), u"en");
    EXPECT_EQ(settings.GetString(21), u"Video;Data");
    const TLString music = settings.GetStringDefault(0);
    EXPECT_FALSE(music.empty());
    EXPECT_EQ(music.Last(), u'\\');
    // A setting without a preset key cannot be changed by the product information.
    EXPECT_EQ(settings.GetInstallInt(8, 5), 5);
    EXPECT_EQ(settings.GetInstallKey(8), u"");
}

TEST_F(SettingsHelperTest, WritesGoToTheSettingsName) {
    CSettingsHelper settings;
    EXPECT_TRUE(settings.SetInt(2, 7));
    EXPECT_TRUE(settings.SetString(55, u"bell.wav"));
    DWORD stored = 0;
    EXPECT_TRUE(
        tltest::ReadRegistryDword(HKEY_CURRENT_USER, kPropertiesKey, u"General - Minimize To System Tray", &stored));
    EXPECT_EQ(stored, 7u);
    TLString text;
    EXPECT_TRUE(tltest::ReadRegistryString(HKEY_CURRENT_USER, kPropertiesKey, u"Ripping - Complete Sound File", &text));
    EXPECT_EQ(text, u"bell.wav");
    EXPECT_EQ(settings.GetInt(2), 7);
}

TEST_F(SettingsHelperTest, IdentifiersOutsideTheTableAreRefused) {
    CSettingsHelper settings;
    for (int id : {-2147483647 - 1, -1, 87, 1000}) {
        EXPECT_EQ(settings.GetInt(id), 0) << id;
        EXPECT_EQ(settings.GetString(id), u"") << id;
        EXPECT_EQ(settings.GetSettingName(id), u"") << id;
        EXPECT_EQ(settings.GetInstallKey(id), u"") << id;
        EXPECT_EQ(settings.GetInstallInt(id, 42), 42) << id;
        EXPECT_EQ(settings.GetInstallString(id, u"kept"), u"kept") << id;
        EXPECT_FALSE(settings.SetInt(id, 1)) << id;
        EXPECT_FALSE(settings.SetString(id, u"x")) << id;
    }
}

TEST_F(SettingsHelperTest, ShellIntegrationFollowsTheContextMenuHandler) {
    ASSERT_TRUE(tools_.scratch().CopyIn(tltest::BuildPath(u"distribution/Tunevault/PackageInstaller.exe"),
                                        u"Installed\\PackageInstaller.exe"));
    const TLString package_log = tools_.scratch().Path(u"Installed\\PackageInstaller.log");
    const uint64_t log_start = tltest::LogFileSize();
    CSettingsHelper settings;

    // Without the handler the default is off (an empty preset keeps it), and switching on registers.
    EXPECT_EQ(settings.GetInt(5), 0);
    EXPECT_TRUE(settings.SetInt(5, 1));
    EXPECT_EQ(tltest::ReadFileBytes(package_log), "/RegDLL Shell Extensions\r\n");
    EXPECT_EQ(settings.GetInt(5), 1);
    for (std::u16string_view line :
         {u"SETTINGS_ENABLESHELLINTEGRATION (1)", u"bShellIntegration == 0", u"RunPackageInstaller == 1"})
        EXPECT_TRUE(tltest::LogContains(GetCurrentProcessId(), line, log_start)) << TLString(line);

    // With the handler registered the default is on; switching on again runs nothing, off unregisters.
    ASSERT_TRUE(
        tltest::WriteRegistryString(HKEY_CLASSES_ROOT, kHandlerKey, u"", u"{00000000-0000-0000-0000-000000000001}"));
    EXPECT_EQ(settings.GetIntDefault(5), 1);
    EXPECT_TRUE(settings.SetInt(5, 1));
    EXPECT_TRUE(settings.SetInt(5, 0));
    EXPECT_EQ(tltest::ReadFileBytes(package_log), "/RegDLL Shell Extensions\r\n/UnRegDLL Shell Extensions\r\n");
}

}  // namespace
