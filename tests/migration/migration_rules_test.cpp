// The settings migration's decisions: which steps run, which folders may be copied, what the values
// of an earlier version become.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/migration/migrated_value.h"
#include "engine/migration/migration_rules.h"
#include "engine/migration/replacement_pairs.h"

namespace {

using namespace engine::migration;

TEST(MigrationPlan, StepsRunOnlyForANewInstallAndTheUpgradeOnlyForThisProduct) {
    const struct {
        bool existing, portable, no_upgrade;
        const char16_t* name;
        bool own_library;
        bool load, upgrade, kept;
    } cases[] = {
        {false, false, false, u"Tonehall 27", false, true, true, false},
        {true, false, false, u"Tonehall 27", false, false, false, false},
        // A portable install gets the default library, even beside an installed product, but never
        // takes the installed versions' settings.
        {false, true, false, u"Tonehall 27", false, true, false, false},
        {true, true, false, u"Tonehall 27", false, true, false, false},
        {false, false, true, u"Tonehall 27", false, true, false, false},
        {false, false, false, u"Tonehall 26", false, true, false, false},
        {false, false, false, u"tonehall 27", false, true, false, false},
        {false, false, false, u"Tonehall 27 Beta", false, true, false, false},
        // A reinstall over the person's own library touches neither.
        {false, false, false, u"Tonehall 27", true, false, false, true},
        {false, true, false, u"Tonehall 27", true, false, false, true},
        {true, false, false, u"Tonehall 27", true, false, false, false},
    };
    for (const auto& c : cases) {
        MigrationFacts facts;
        facts.existing_installation_found = c.existing;
        facts.portable = c.portable;
        facts.no_upgrade = c.no_upgrade;
        facts.product_name = c.name;
        facts.own_library_found = c.own_library;
        const MigrationPlan plan = PlanMigration(facts);
        const std::string what = testing::PrintToString(
            std::tuple(c.existing, c.portable, c.no_upgrade, TLString(c.name).ToUtf8(), c.own_library));
        EXPECT_EQ(plan.load_default_library, c.load) << what;
        EXPECT_EQ(plan.upgrade, c.upgrade) << what;
        EXPECT_EQ(plan.own_library_kept, c.kept) << what;
    }
}

TEST(ReplacementPairs, FoldersAreReplacedFirstAndWithoutRegardToCase) {
    ReplacementPairs pairs;
    // Added in the order the migration meets them: the name of 26, then its install folder.
    pairs.AddName(u"Tonehall 25", u"Tonehall 27");
    pairs.AddName(u"Tonehall 26", u"Tonehall 27");
    pairs.AddFolder(u"D:\\Tonehall 26\\", u"C:\\Program Files\\Tonehall 27\\");
    pairs.AddFolder(u"E:\\Apps\\TH25", u"C:\\Program Files\\Tonehall 27\\");
    const struct {
        const char16_t* value;
        const char16_t* migrated;
    } cases[] = {
        {u"D:\\Tonehall 26\\Plugins\\x.dll", u"C:\\Program Files\\Tonehall 27\\Plugins\\x.dll"},
        {u"d:\\TONEHALL 26\\Plugins\\x.dll", u"C:\\Program Files\\Tonehall 27\\Plugins\\x.dll"},
        {u"D:\\Tonehall 26", u"C:\\Program Files\\Tonehall 27"},
        {u"\"E:\\Apps\\TH25\\Tonehall.exe\" /x;E:\\apps\\th25\\y",
         u"\"C:\\Program Files\\Tonehall 27\\Tonehall.exe\" /x;C:\\Program Files\\Tonehall 27\\y"},
        {u"C:\\Users\\p\\AppData\\Roaming\\C. Orvane\\Tonehall 25\\Cover Art\\",
         u"C:\\Users\\p\\AppData\\Roaming\\C. Orvane\\Tonehall 27\\Cover Art\\"},
        // Names are replaced as written: another spelling is another text.
        {u"tonehall 26 skin", u"tonehall 26 skin"},
        {u"", u""},
    };
    for (const auto& c : cases) EXPECT_EQ(pairs.Apply(c.value), TLString(c.migrated)) << TLString(c.value).ToUtf8();
}

TEST(ReplacementPairs, ADriveRootOrTheDestinationItselfAddsNoPair) {
    ReplacementPairs pairs;
    pairs.AddFolder(u"D:\\", u"C:\\Tonehall 27\\");
    pairs.AddFolder(u"c:\\tonehall 27", u"C:\\Tonehall 27\\");
    pairs.AddFolder(u"", u"C:\\Tonehall 27\\");
    pairs.AddName(u"", u"x");
    EXPECT_TRUE(pairs.empty());
    EXPECT_EQ(pairs.Apply(u"D:\\Music\\a.mp3"), u"D:\\Music\\a.mp3");
}

TEST(MigrationFolders, AnEarlierVersionsDataFolderCarriesItsName) {
    EXPECT_EQ(VersionDataFolder(u"C:\\Users\\p\\AppData\\Roaming\\C. Orvane\\Tonehall 27\\", 24),
              u"C:\\Users\\p\\AppData\\Roaming\\C. Orvane\\Tonehall 24\\");
    EXPECT_EQ(ProductKeyPath(26), u"Software\\C. Orvane\\Tonehall 26");
}

TLString LibrarySetting(const char16_t* path) {
    return TLString(
               u"<XMLPH version=\"1.0\">\r\n<Item Name=\"LibraryName\">Main</Item>\r\n<Item Name=\"LibraryPath\">") +
           path + u"</Item>\r\n</XMLPH>";
}

TEST(MigrationFolders, OnlyAnAbsoluteLibraryOutsideTheNewOneIsCopied) {
    const TLString old_data = u"C:\\Data\\Tonehall 26\\";
    const TLString target = u"C:\\Data\\Tonehall 27\\Library\\";
    const struct {
        TLString setting;
        const char16_t* copied;
    } cases[] = {
        {LibrarySetting(u"[App Data Path]Library\\"), u"C:\\Data\\Tonehall 26\\Library\\"},
        {LibrarySetting(u"[App Data Path]\\Library"), u"C:\\Data\\Tonehall 26\\Library\\"},
        {LibrarySetting(u"D:\\My Library"), u"D:\\My Library\\"},
        {LibrarySetting(u"\\\\server\\share\\Library\\"), u"\\\\server\\share\\Library\\"},
        {LibrarySetting(u""), u""},
        {LibrarySetting(u"Library\\"), u""},
        {LibrarySetting(u"..\\Library\\"), u""},
        // Into itself, or into a folder that holds it: never.
        {LibrarySetting(u"C:\\Data\\Tonehall 27\\"), u""},
        {LibrarySetting(u"c:\\data\\tonehall 27\\library"), u""},
        {LibrarySetting(u"C:\\Data\\"), u""},
        {LibrarySetting(u"C:\\Data\\Tonehall 27\\Library\\Old\\"), u""},
        {LibrarySetting(u"[App Data Path]..\\Tonehall 27"), u""},
        {LibrarySetting(u"C:\\Data\\.\\Tonehall 26\\..\\..\\..\\Data\\Tonehall 27\\Library"), u""},
        {LibrarySetting(u"D:\\a\\.\\b\\..\\Lib"), u"D:\\a\\Lib\\"},
        {u"<XMLPH version=\"2.0\"><Item Name=\"LibraryPath\">D:\\L\\</Item></XMLPH>", u""},
        {u"", u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LibraryToCopy(c.setting, old_data, target), TLString(c.copied)) << c.setting.ToUtf8();
}

TEST(MigrationFolders, CoverArtIsCopiedOnlyBetweenDistinctAbsoluteFolders) {
    const TLString old_data = u"C:\\Data\\Tonehall 25\\";
    const TLString data = u"C:\\Data\\Tonehall 27\\";
    EXPECT_EQ(CoverArtToCopy(u"", old_data, u"", data),
              (FolderCopy{u"C:\\Data\\Tonehall 25\\Cover Art\\", u"C:\\Data\\Tonehall 27\\Cover Art\\"}));
    EXPECT_EQ(CoverArtToCopy(u"[App Data Path]Covers", old_data, u"E:\\Art", data),
              (FolderCopy{u"C:\\Data\\Tonehall 25\\Covers\\", u"E:\\Art\\"}));
    EXPECT_EQ(CoverArtToCopy(u"E:\\Art\\", old_data, u"e:\\art", data), FolderCopy{});
    EXPECT_EQ(CoverArtToCopy(u"Covers", old_data, u"", data), FolderCopy{});
    EXPECT_EQ(CoverArtToCopy(u"C:\\Data\\", old_data, u"", data), FolderCopy{});
}

StoredValue Text(uint32_t type, std::u16string_view text) {
    StoredValue value{type, std::vector<uint8_t>((text.size() + 1) * 2, 0)};
    std::memcpy(value.data.data(), text.data(), text.size() * 2);
    return value;
}

StoredValue Dword(uint32_t number) {
    StoredValue value{kDword, std::vector<uint8_t>(4)};
    std::memcpy(value.data.data(), &number, 4);
    return value;
}

TEST(MigratedValue, StringsAreReplacedDwordsBecomeTheirTextAndEverythingElseArrivesUnchanged) {
    ReplacementPairs pairs;
    pairs.AddName(u"Tonehall 26", u"Tonehall 27");
    const StoredValue multi = Text(kMultiString, std::u16string(u"Tonehall 26\0b\0", 14));
    const struct {
        StoredValue value;
        StoredValue migrated;
    } cases[] = {
        {Text(kString, u"Skins of Tonehall 26"), Text(kString, u"Skins of Tonehall 27")},
        {Text(kExpandableString, u"%APPDATA%\\Tonehall 26"), Text(kExpandableString, u"%APPDATA%\\Tonehall 27")},
        {Dword(27), Text(kString, u"27")},
        {Dword(0xFFFFFFFF), Text(kString, u"-1")},
        {Dword(0x80000000), Text(kString, u"-2147483648")},
        {{kBinary, {0x54, 0x00, 0x00, 0xFF}}, {kBinary, {0x54, 0x00, 0x00, 0xFF}}},
        {multi, multi},
        {{kQword, {1, 0, 0, 0, 0, 0, 0, 0x80}}, {kQword, {1, 0, 0, 0, 0, 0, 0, 0x80}}},
        // A DWORD of the wrong size is no number: kept as it is.
        {{kDword, {1, 2}}, {kDword, {1, 2}}},
        {{0, {}}, {0, {}}},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(MigratedValue(cases[i].value, pairs), cases[i].migrated) << i;
}

}  // namespace
