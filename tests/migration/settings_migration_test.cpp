// The default library and the upgrade from versions 20 to 26, with earlier versions planted in the
// test prefix's registry and in data folders of a scratch folder; what arrived is read back through
// the product's real tools library where the product would read it.
#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "core/tools/tools.h"
#include "core/windows/registry.h"
#include "core/windows/tl_file_system.h"
#include "engine/journal/journal.h"
#include "engine/migration/migration_rules.h"
#include "engine/migration/settings_migration.h"
#include "tests/copy/recording_progress.h"
#include "tests/support/product_tools.h"
#include "tests/support/win_test_support.h"

namespace {

using engine::migration::MigrationRequest;
using engine::migration::ProductKeyPath;
using tlwin::RegistryKey;

constexpr char16_t kDestination[] = u"C:\\Program Files\\Tonehall 27\\";

TLString Key(int version, std::u16string_view subkey = {}) {
    return subkey.empty() ? ProductKeyPath(version) : ProductKeyPath(version) + u"\\" + TLString(subkey);
}

RegistryKey Make(int version, std::u16string_view subkey) {
    return RegistryKey::Create(HKEY_CURRENT_USER, Key(version, subkey), KEY_ALL_ACCESS);
}

TLString Read(int version, std::u16string_view subkey, const TLString& name) {
    TLString value = u"(none)";
    RegistryKey::Open(HKEY_CURRENT_USER, Key(version, subkey)).ReadString(name, &value);
    return value;
}

TLString LibrarySetting(const TLString& path) {
    return u"<XMLPH version=\"1.0\">\r\n<Item Name=\"LibraryPath\">" + path + u"</Item>\r\n</XMLPH>";
}

class SettingsMigration : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tools_.loaded());
        request_.product_name = u"Tonehall 27";
        request_.destination_folder = kDestination;
        request_.data_folder = Data(27);
        request_.default_library = scratch_.Path(u"Distribution\\Library\\");
        request_.settings_import = tools::Interface()->GetSettingsImport(1);
    }

    TLString Data(int version) const {
        return scratch_.Path(u"AppData\\C. Orvane\\") + engine::migration::VersionName(version) + u"\\";
    }
    bool WriteData(int version, std::u16string_view relative, std::string_view bytes) const {
        return scratch_.WriteFile(
            u"AppData\\C. Orvane\\" + engine::migration::VersionName(version) + u"\\" + TLString(relative), bytes);
    }
    std::string ReadData(std::u16string_view relative) const {
        return tltest::ReadFileBytes(Data(27) + TLString(relative));
    }
    bool WriteDefault(std::u16string_view relative, std::string_view bytes) const {
        return scratch_.WriteFile(u"Distribution\\Library\\" + TLString(relative), bytes);
    }

    // Versions 24, 25 and 26 as a person who used them leaves them.
    void PlantEarlierVersions() {
        RegistryKey p24 = Make(24, u"Properties");
        ASSERT_TRUE(p24.WriteString(u"Library", LibrarySetting(u"[App Data Path]Library\\")));
        ASSERT_TRUE(p24.WriteString(u"In Both", u"from 24"));
        ASSERT_TRUE(p24.WriteString(u"Existing", u"from 24"));
        ASSERT_TRUE(p24.WriteDword(u"Playback - Volume", 80));
        ASSERT_TRUE(p24.WriteDword(u"Playback - Offset", 0xFFFFFFF6));
        ASSERT_TRUE(p24.WriteBinary(u"Window Placement", {0x2C, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x54}));
        ASSERT_TRUE(p24.WriteQword(u"Library Size", 0x0123456789ABCDEFull));
        TLStringArray folders;
        folders.Add(u"D:\\Music\\");
        folders.Add(u"E:\\Tonehall 24 Rips\\");
        ASSERT_TRUE(p24.WriteMultiString(u"Watched Folders", folders));
        ASSERT_TRUE(Make(24, u"Properties\\Libraries\\Main").WriteString(u"Path", u"x"));
        ASSERT_TRUE(Make(24, u"Installer").WriteString(u"Install Directory", u"C:\\Program Files\\Tonehall 24\\"));
        ASSERT_TRUE(Make(24, u"Dependencies").WriteString(u"DirectX", u"1"));
        ASSERT_TRUE(Make(24, u"Plugins\\Installer").WriteString(u"Left", u"out"));
        ASSERT_TRUE(Make(24, u"Plugins\\Output").WriteString(u"Device", u"Speakers"));

        RegistryKey p25 = Make(25, u"Properties");
        ASSERT_TRUE(p25.WriteString(u"Skin", u"D:\\Tonehall 25\\Skins\\Tonehall 25 Dark.tlskin"));
        ASSERT_TRUE(p25.WriteString(u"Cache", u"C:\\Cache\\Tonehall 25\\"));
        ASSERT_TRUE(Make(25, u"Installer").WriteString(u"Install Directory", u"d:\\tonehall 25"));

        RegistryKey p26 = Make(26, u"Properties");
        ASSERT_TRUE(p26.WriteString(u"Library", LibrarySetting(scratch_.Path(u"Elsewhere\\Library 26\\"))));
        ASSERT_TRUE(p26.WriteString(u"In Both", u"from 26"));
        ASSERT_TRUE(p26.WriteString(u"Only 26", u"here"));

        ASSERT_TRUE(Make(27, u"Properties").WriteString(u"Existing", u"the new version's own"));

        ASSERT_TRUE(WriteData(24, u"Library\\Main.tvlb", "24"));
        ASSERT_TRUE(WriteData(24, u"Library\\Both.txt", "from 24"));
        ASSERT_TRUE(scratch_.WriteFile(u"Elsewhere\\Library 26\\Both.txt", "from 26"));
        ASSERT_TRUE(WriteData(24, u"Settings\\Equalizer.ini", "24"));
        ASSERT_TRUE(WriteData(24, u"Thumbnails\\a.jpg", "thumb"));
        ASSERT_TRUE(WriteData(22, u"Cover Art\\old.jpg", "22"));
        ASSERT_TRUE(WriteData(25, u"Cover Art\\c.jpg", "25"));
    }

    tltest::ProductTools tools_;
    tltest::ScratchFolder scratch_;
    // Versions 20 to 26 start and end absent.
    std::deque<tltest::RegistryCleanup> earlier_versions_ = [] {
        std::deque<tltest::RegistryCleanup> keys;
        for (int version = 20; version <= 26; ++version) keys.emplace_back(HKEY_CURRENT_USER, Key(version));
        return keys;
    }();
    MigrationRequest request_;
};

TEST_F(SettingsMigration, LibrariesAndFoldersOfEarlierVersionsArriveWithTheNewestLast) {
    PlantEarlierVersions();
    engine::migration::UpgradeFromPreviousVersions(request_);
    EXPECT_EQ(ReadData(u"Library\\Main.tvlb"), "24");
    EXPECT_EQ(ReadData(u"Library\\Both.txt"), "from 26");
    EXPECT_EQ(ReadData(u"Settings\\Equalizer.ini"), "24");
    EXPECT_EQ(ReadData(u"Thumbnails\\a.jpg"), "thumb");
    EXPECT_EQ(ReadData(u"Cover Art\\c.jpg"), "25");
    EXPECT_FALSE(tltest::FileExists(Data(27) + u"Cover Art\\old.jpg")) << "cover art of versions before 23 stays";
}

TEST_F(SettingsMigration, SettingsFillOnlyWhatIsOpenWithNamesAndFoldersReplaced) {
    PlantEarlierVersions();
    engine::migration::UpgradeFromPreviousVersions(request_);
    EXPECT_EQ(Read(27, u"Properties", u"In Both"), u"from 24");
    EXPECT_EQ(Read(27, u"Properties", u"Only 26"), u"here");
    EXPECT_EQ(Read(27, u"Properties", u"Existing"), u"the new version's own");
    EXPECT_EQ(Read(27, u"Properties", u"Skin"), u"C:\\Program Files\\Tonehall 27\\Skins\\Tonehall 27 Dark.tlskin");
    EXPECT_EQ(Read(27, u"Properties", u"Cache"), u"C:\\Cache\\Tonehall 27\\");
    EXPECT_EQ(Read(27, u"Plugins\\Output", u"Device"), u"Speakers");
    // The product rebuilds its library list; installer records and dependencies are the new install's.
    EXPECT_EQ(Read(27, u"Properties", u"Library"), u"(none)");
    for (const char16_t* gone : {u"Properties\\Libraries", u"Installer", u"Dependencies", u"Plugins\\Installer"})
        EXPECT_FALSE(RegistryKey::Open(HKEY_CURRENT_USER, Key(27, gone)).IsOpen()) << TLString(gone).ToUtf8();
}

TEST_F(SettingsMigration, NumbersReadBackAsTheSameIntegersAndOtherValuesArriveUnchanged) {
    PlantEarlierVersions();
    engine::migration::UpgradeFromPreviousVersions(request_);
    const tools::Settings properties = tools::OpenSettingsSection(u"Properties");
    EXPECT_EQ(properties.GetInteger(u"Playback - Volume", 0), 80);
    EXPECT_EQ(properties.GetInteger(u"Playback - Offset", 0), -10);
    const RegistryKey migrated = RegistryKey::Open(HKEY_CURRENT_USER, Key(27, u"Properties"));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(migrated.ReadBinary(u"Window Placement", &bytes));
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0x2C, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x54}));
    uint64_t size = 0;
    ASSERT_TRUE(migrated.ReadQword(u"Library Size", &size));
    EXPECT_EQ(size, 0x0123456789ABCDEFull);
    TLStringArray folders;
    ASSERT_TRUE(migrated.ReadMultiString(u"Watched Folders", &folders));
    ASSERT_EQ(folders.GetCount(), 2u);
    EXPECT_EQ(folders[1], u"E:\\Tonehall 24 Rips\\");
}

// A failed install undoes the migration with the rest: copies into this version's data folder (files
// replaced included), the settings copied over and the values and keys deleted.
TEST_F(SettingsMigration, ARolledBackMigrationLeavesTheDataFolderAndSettingsAsTheyWere) {
    PlantEarlierVersions();
    ASSERT_TRUE(WriteData(27, u"Library\\Both.txt", "27's own"));
    ASSERT_TRUE(Make(27, u"Properties").WriteString(u"Library", LibrarySetting(u"D:\\Mine\\")));
    ASSERT_TRUE(Make(27, u"Properties\\Libraries\\Mine").WriteBinary(u"Order", {1, 2, 3}));
    ASSERT_TRUE(WriteDefault(u"Default.tvlb", "default"));
    const tltest::TreeSnapshot files = tltest::FolderSnapshot(Data(27));
    const tltest::TreeSnapshot settings = tltest::RegistrySnapshot(HKEY_CURRENT_USER, Key(27));

    journal::CJournal journal(scratch_.Path(u"Setup.journal"));
    ASSERT_TRUE(journal.Start());
    request_.journal = &journal;
    engine::migration::LoadDefaultLibrary(request_);
    engine::migration::UpgradeFromPreviousVersions(request_);
    ASSERT_EQ(ReadData(u"Library\\Both.txt"), "from 26");
    ASSERT_EQ(Read(27, u"Properties", u"In Both"), u"from 24");
    ASSERT_EQ(Read(27, u"Properties", u"Library"), u"(none)");
    journal.RollBack();

    EXPECT_EQ(tltest::FolderSnapshot(Data(27)), files);
    EXPECT_EQ(tltest::RegistrySnapshot(HKEY_CURRENT_USER, Key(27)), settings);
}

TEST_F(SettingsMigration, AnUnsafeLibraryPathCopiesNothing) {
    ASSERT_TRUE(WriteData(27, u"Library\\Thumbs.db", "x"));
    ASSERT_TRUE(WriteData(27, u"Keep.txt", "27"));
    for (const TLString& path :
         {TLString(u"Library\\"), TLString(u""), Data(27), TLString(u"[App Data Path]..\\Tonehall 27")}) {
        ASSERT_TRUE(Make(26, u"Properties").WriteString(u"Library", LibrarySetting(path)));
        engine::migration::UpgradeFromPreviousVersions(request_);
        EXPECT_FALSE(tltest::FileExists(Data(27) + u"Library\\Keep.txt")) << path.ToUtf8();
    }
}

TEST_F(SettingsMigration, TheDefaultLibraryArrivesWithoutTheSettingsOfTheMachineItWasMadeOn) {
    ASSERT_TRUE(WriteDefault(u"Default.tvlb", "default"));
    ASSERT_TRUE(WriteDefault(u"Playlists\\Welcome.m3u", "#EXTM3U"));
    ASSERT_TRUE(WriteDefault(u"Settings\\TV Shared Settings.ini", "[Shared]"));
    ASSERT_TRUE(WriteDefault(u"Settings\\Exported.tlsettings",
                             "[Properties]\r\nView=Library\r\nVolume=dword:80\r\nLibrary=x\r\nLibrary Name=Builder\r\n"
                             "Install - First Install=dword:1\r\n[Library Server]\r\nUUID={1}\r\nPort=dword:52199\r\n"
                             "[DLNA]\r\nEnabled=dword:0\r\n[DLNA\\Servers]\r\nPC=http://pc/\r\n"
                             "[CD Writer]\r\nDrive=E:\r\n[Portable Devices\\Phone]\r\nName=x\r\n"));
    engine::migration::LoadDefaultLibrary(request_);

    EXPECT_EQ(ReadData(u"Library\\Default.tvlb"), "default");
    EXPECT_EQ(ReadData(u"Library\\Playlists\\Welcome.m3u"), "#EXTM3U");
    EXPECT_TRUE(tltest::FileExists(Data(27) + u"Library\\Clone.flg"));
    EXPECT_FALSE(tltest::FileExists(Data(27) + u"Library\\Settings\\Exported.tlsettings"));
    EXPECT_EQ(ReadData(u"Settings\\TV Shared Settings.ini"), "[Shared]");

    const tools::Settings properties = tools::OpenSettingsSection(u"Properties");
    EXPECT_EQ(properties.GetString(u"View", u""), u"Library");
    EXPECT_EQ(properties.GetInteger(u"Volume", 0), 80);
    for (const char16_t* name : {u"Library", u"Library Name", u"Install - First Install"})
        EXPECT_EQ(Read(27, u"Properties", name), u"(none)") << TLString(name).ToUtf8();
    EXPECT_EQ(Read(27, u"Library Server", u"UUID"), u"(none)");
    EXPECT_EQ(tools::OpenSettingsSection(u"Library Server").GetInteger(u"Port", 0), 52199);
    EXPECT_EQ(tools::OpenSettingsSection(u"DLNA").GetInteger(u"Enabled", 1), 0);
    for (const char16_t* gone : {u"DLNA\\Servers", u"CD Writer", u"Portable Devices"})
        EXPECT_FALSE(RegistryKey::Open(HKEY_CURRENT_USER, Key(27, gone)).IsOpen()) << TLString(gone).ToUtf8();
}

TEST_F(SettingsMigration, ADefaultLibraryOfThumbnailCachesOnlyIsNoLibrary) {
    ASSERT_TRUE(WriteDefault(u"Thumbs.db", "x"));
    ASSERT_TRUE(WriteDefault(u"Art\\Thumbs.db", "x"));
    engine::migration::LoadDefaultLibrary(request_);
    EXPECT_FALSE(tltest::FileExists(Data(27) + u"Library\\Clone.flg"));
    EXPECT_FALSE(tltest::FileExists(Data(27) + u"Library\\Thumbs.db"));
}

TEST_F(SettingsMigration, TheStepsRunAsThePlanSaysAndAReinstallKeepsThePersonsLibrary) {
    ASSERT_TRUE(WriteDefault(u"Default.tvlb", "default"));
    ASSERT_TRUE(Make(26, u"Properties").WriteString(u"Only 26", u"here"));
    const struct {
        const char16_t* what;
        bool portable;
        const char16_t* product;
        const char* own_file;  // a library file of this version already there
        bool own_setting;      // this version's "Library" setting already there
        bool default_loaded, upgraded;
    } cases[] = {
        {u"a new install", false, u"Tonehall 27", nullptr, false, true, true},
        {u"a portable install", true, u"Tonehall 27", nullptr, false, true, false},
        {u"another product", false, u"Tonehall Server 27", nullptr, false, true, false},
        {u"a reinstall", false, u"Tonehall 27", "mine", false, false, false},
        {u"a reinstall with the library elsewhere", false, u"Tonehall 27", nullptr, true, false, false},
    };
    for (const auto& c : cases) {
        tltest::DeleteTree(Data(27));
        tltest::RegistryCleanup new_key(HKEY_CURRENT_USER, Key(27));
        if (c.own_file) {
            ASSERT_TRUE(WriteData(27, u"Library\\Mine.tvlb", c.own_file));
        }
        if (c.own_setting) {
            ASSERT_TRUE(Make(27, u"Properties").WriteString(u"Library", LibrarySetting(u"D:\\My Library\\")));
        }
        MigrationRequest request = request_;
        request.portable = c.portable;
        request.product_name = c.product;
        tltest::RecordingProgress progress;
        engine::migration::MigrateSettings(request, progress);
        const std::string what = TLString(c.what).ToUtf8();
        EXPECT_EQ(tltest::FileExists(Data(27) + u"Library\\Default.tvlb"), c.default_loaded) << what;
        EXPECT_EQ(Read(27, u"Properties", u"Only 26") == u"here", c.upgraded) << what;
        if (c.own_file) {
            EXPECT_EQ(ReadData(u"Library\\Mine.tvlb"), c.own_file) << what;
        }
        EXPECT_EQ(progress.texts, (std::vector<std::string>{"Loading default library and settings...",
                                                            "Upgrading from previous version..."}))
            << what;
        EXPECT_EQ(progress.position, 1) << what;
    }
}

// Without a data folder (no process block) the paths would be relative: nothing may land in the
// current folder, and the page's bar still goes through both steps.
TEST_F(SettingsMigration, AnUnknownDataFolderLoadsNothingIntoTheCurrentFolder) {
    ASSERT_TRUE(WriteDefault(u"Default.tvlb", "default"));
    ASSERT_TRUE(Make(26, u"Properties").WriteString(u"Only 26", u"here"));
    const TLString current = scratch_.Path(u"Current\\");
    ASSERT_TRUE(tlwin::TLFileSystem::MakeDirectoryTree(current));
    wchar_t before[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, before);
    ASSERT_TRUE(SetCurrentDirectoryW(current.wc()));
    MigrationRequest request = request_;
    request.data_folder = TLString();
    tltest::RecordingProgress progress;
    engine::migration::MigrateSettings(request, progress);
    SetCurrentDirectoryW(before);

    EXPECT_TRUE(tlwin::TLFileSystem::IsFolderEmpty(current));
    EXPECT_EQ(Read(27, u"Properties", u"Only 26"), u"(none)");
    EXPECT_EQ(progress.texts.size(), 2u);
    EXPECT_EQ(progress.position, 1);
}

}  // namespace
