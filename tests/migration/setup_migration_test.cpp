// Setup.exe /Silent for a person who used versions 24 and 26: their libraries, settings and folders
// arrive in version 27 on top of the default library that ships with the installer.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "core/windows/registry.h"
#include "tests/app/distribution_fixture.h"
#include "tests/support/win_test_support.h"

namespace {

using tlwin::RegistryKey;

constexpr char16_t kOrvaneKey[] = u"Software\\C. Orvane\\";

TLString OrvaneData() {
    wchar_t app_data[MAX_PATH] = {};
    GetEnvironmentVariableW(L"APPDATA", app_data, MAX_PATH);
    return TLString(app_data).EnsureTrailingBackslash() + u"C. Orvane\\";
}

// A data folder of an earlier version, absent before and after the test.
class DataFolderCleanup {
public:
    explicit DataFolderCleanup(const TLString& folder) : folder_(folder) { tltest::DeleteTree(folder_); }
    ~DataFolderCleanup() { tltest::DeleteTree(folder_); }
    DataFolderCleanup(const DataFolderCleanup&) = delete;
    DataFolderCleanup& operator=(const DataFolderCleanup&) = delete;

private:
    TLString folder_;
};

bool Plant(const TLString& file, std::string_view bytes) {
    if (!tltest::MakeFolders(file.Left(file.ReverseFind(u'\\')))) return false;
    HANDLE handle = CreateFileW(file.wc(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(handle);
    return ok && written == bytes.size();
}

TLString Read(std::u16string_view subkey, const TLString& name) {
    TLString value = u"(none)";
    RegistryKey::Open(HKEY_CURRENT_USER, kOrvaneKey + TLString(subkey)).ReadString(name, &value);
    return value;
}

constexpr char16_t kLibrary[] =
    u"<XMLPH version=\"1.0\">\r\n<Item Name=\"LibraryPath\">[App Data Path]Library\\</Item>\r\n</XMLPH>";

TEST(SetupMigration, ASilentInstallCarriesVersions24And26OverOnTopOfTheDefaultLibrary) {
    tltest::InstalledProductCleanup installed;
    tltest::RegistryCleanup v24(HKEY_CURRENT_USER, u"Software\\C. Orvane\\Tonehall 24");
    tltest::RegistryCleanup v26(HKEY_CURRENT_USER, u"Software\\C. Orvane\\Tonehall 26");
    const TLString data = OrvaneData();
    DataFolderCleanup d24(data + u"Tonehall 24"), d26(data + u"Tonehall 26");

    RegistryKey p24 = RegistryKey::Create(HKEY_CURRENT_USER, u"Software\\C. Orvane\\Tonehall 24\\Properties");
    ASSERT_TRUE(p24.WriteString(u"Library", kLibrary));
    ASSERT_TRUE(p24.WriteString(u"In Both", u"24"));
    ASSERT_TRUE(p24.WriteString(u"Visualizer - Preset", u"D:\\Tonehall 24\\Visuals\\Tonehall 24 Waves.tlv"));
    ASSERT_TRUE(p24.WriteDword(u"Playback - Crossfade", 1500));
    ASSERT_TRUE(p24.WriteBinary(u"Window Placement", {0x2C, 0, 0, 0, 0xFF, 0, 0x54}));
    ASSERT_TRUE(RegistryKey::Create(HKEY_CURRENT_USER, u"Software\\C. Orvane\\Tonehall 24\\Installer")
                    .WriteString(u"Install Directory", u"D:\\Tonehall 24\\"));
    RegistryKey p26 = RegistryKey::Create(HKEY_CURRENT_USER, u"Software\\C. Orvane\\Tonehall 26\\Properties");
    ASSERT_TRUE(p26.WriteString(u"Library", kLibrary));
    ASSERT_TRUE(p26.WriteString(u"In Both", u"26"));
    ASSERT_TRUE(Plant(data + u"Tonehall 24\\Library\\Main.tvlb", "24"));
    ASSERT_TRUE(Plant(data + u"Tonehall 24\\Library\\Old Only.tvlb", "24"));
    ASSERT_TRUE(Plant(data + u"Tonehall 26\\Library\\Main.tvlb", "26"));
    ASSERT_TRUE(Plant(data + u"Tonehall 24\\Thumbnails\\t.jpg", "t"));
    ASSERT_TRUE(Plant(data + u"Tonehall 26\\Cover Art\\c.jpg", "c"));

    tltest::Distribution distribution;
    tltest::StartedProgram setup(distribution.SetupExe(), u"/Silent /NoRun");
    ASSERT_TRUE(setup.Wait(180000).finished);
    EXPECT_TRUE(tltest::LogContains(setup, u"CInstallHelper::CopyAndRegister: Finish (result: 1)"));

    const TLString now = data + u"Tonehall 27\\";
    // The default library, then the earlier ones over it, the newest last.
    EXPECT_TRUE(tltest::FileExists(now + u"Library\\Default Library.tvlb"));
    EXPECT_TRUE(tltest::FileExists(now + u"Library\\Clone.flg"));
    EXPECT_FALSE(tltest::FileExists(now + u"Library\\Settings\\Default Settings.tlsettings"));
    EXPECT_TRUE(tltest::FileExists(now + u"Settings\\TV Shared Settings.ini"));
    EXPECT_EQ(tltest::ReadFileBytes(now + u"Library\\Main.tvlb"), "26");
    EXPECT_EQ(tltest::ReadFileBytes(now + u"Library\\Old Only.tvlb"), "24");
    EXPECT_EQ(tltest::ReadFileBytes(now + u"Thumbnails\\t.jpg"), "t");
    EXPECT_EQ(tltest::ReadFileBytes(now + u"Cover Art\\c.jpg"), "c");

    // The default settings without the machine they were made on, then the earlier versions' settings
    // where the new key had none.
    EXPECT_EQ(Read(u"Tonehall 27\\Properties", u"View - Default View"), u"Library");
    EXPECT_EQ(Read(u"Tonehall 27\\Properties", u"Library Name"), u"(none)");
    EXPECT_EQ(Read(u"Tonehall 27\\Library Server", u"UUID"), u"(none)");
    EXPECT_FALSE(RegistryKey::Open(HKEY_CURRENT_USER, u"Software\\C. Orvane\\Tonehall 27\\DLNA\\Servers").IsOpen());
    EXPECT_EQ(Read(u"Tonehall 27\\Properties", u"In Both"), u"24");
    EXPECT_EQ(Read(u"Tonehall 27\\Properties", u"Visualizer - Preset"),
              TLString(tltest::InstalledProductCleanup::kDestination) + u"Visuals\\Tonehall 27 Waves.tlv");
    EXPECT_EQ(Read(u"Tonehall 27\\Properties", u"Playback - Crossfade"), u"1500");
    EXPECT_EQ(Read(u"Tonehall 27\\Properties", u"Library"), u"(none)");
    std::vector<uint8_t> placement;
    EXPECT_TRUE(RegistryKey::Open(HKEY_CURRENT_USER, u"Software\\C. Orvane\\Tonehall 27\\Properties")
                    .ReadBinary(u"Window Placement", &placement));
    EXPECT_EQ(placement, (std::vector<uint8_t>{0x2C, 0, 0, 0, 0xFF, 0, 0x54}));
    EXPECT_EQ(Read(u"Tonehall 27\\Installer", u"Install Directory"),
              TLString(tltest::InstalledProductCleanup::kDestination));
}

}  // namespace
