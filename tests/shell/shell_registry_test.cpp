// The shell registration's registry work under Wine, with the three roots pointed at keys of the
// test's own: template lines applied, values replaced with backups, file types, MIME types and
// protocols associated, disc types recognised and the media client declared.
#include <gtest/gtest.h>

#include "core/windows/fault_seam.h"
#include "core/windows/registry.h"
#include "shell/associations/association_registration.h"
#include "shell/media_client/media_client_registration.h"
#include "shell/registry/registry_changes.h"
#include "shell/templates/template_applier.h"
#include "tests/support/win_test_support.h"

namespace {

constexpr char16_t kTestKey[] = u"Software\\TLTest\\ShellRoots";

class ShellRegistry : public ::testing::Test {
protected:
    ShellRegistry() {
        roots_.classes_root = Root(u"Classes");
        roots_.current_user = Root(u"User");
        roots_.local_machine = Root(u"Machine");
    }
    ~ShellRegistry() override {
        for (HKEY key : {roots_.classes_root, roots_.current_user, roots_.local_machine}) RegCloseKey(key);
    }

    HKEY Root(std::u16string_view name) {
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, (TLString(kTestKey) + u"\\" + name).wc(), 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr);
        return key;
    }
    static TLString String(HKEY root, std::u16string_view key, std::u16string_view name) {
        TLString value = u"<none>";
        tlwin::RegistryKey::Open(root, TLString(key)).ReadString(TLString(name), &value);
        return value;
    }
    static bool KeyExists(HKEY root, std::u16string_view key) {
        return tlwin::RegistryKey::Open(root, TLString(key)).IsOpen();
    }

    tltest::RegistryCleanup cleanup_{HKEY_CURRENT_USER, kTestKey};
    shell::RegistryRoots roots_;
};

TEST_F(ShellRegistry, TemplateLinesFollowTheirRootActionAndType) {
    tltest::WriteRegistryString(HKEY_CURRENT_USER, TLString(kTestKey) + u"\\User\\k", u"Kept", u"theirs");
    tltest::WriteRegistryString(HKEY_CURRENT_USER, TLString(kTestKey) + u"\\User\\k", u"Blank", u"");
    tltest::WriteRegistryString(HKEY_CURRENT_USER, TLString(kTestKey) + u"\\User\\k", u"Gone", u"x");
    const TLStringArray lines = {
        u"[PRODUCTWITHVERSION].File|Default|[PRODUCTNAME] file|STRING|MODIFY",
        u"HKEY_CURRENT_USER",
        u"k|Kept|ours|STRING|CREATE",
        u"k|Blank|ours|STRING|CREATE",
        u"k|Number|65536|DWORD|MODIFY",
        u"k|Gone||STRING|DELETE",
        u"k|Malformed|x|STRING",
        u"HKEY_LOCAL_MACHINE",
        u"m|Icon|\"[CUSTOMART]nowhere.ico\"|STRING|MODIFY",
        u"HKEY_CLASSES_ROOT",
        u"back|Default|again|STRING|MODIFY",
    };
    shell::TemplatePlaceholders placeholders;
    placeholders.product_name = u"Tonehall";
    placeholders.product_with_version = u"Tonehall.27";
    shell::ApplyTemplateLines(lines, placeholders, [](const TLString& name) { return name; }, roots_);

    EXPECT_EQ(String(roots_.classes_root, u"Tonehall.27.File", u""), u"Tonehall file");
    EXPECT_EQ(String(roots_.classes_root, u"Tonehall.27.File", u"Default"), u"<none>");
    EXPECT_EQ(String(roots_.current_user, u"k", u"Kept"), u"theirs");
    EXPECT_EQ(String(roots_.current_user, u"k", u"Blank"), u"ours");
    EXPECT_EQ(String(roots_.current_user, u"k", u"Gone"), u"<none>");
    EXPECT_EQ(String(roots_.current_user, u"k", u"Malformed"), u"<none>");
    DWORD number = 0;
    EXPECT_TRUE(tlwin::RegistryKey::Open(roots_.current_user, u"k").ReadDword(u"Number", &number));
    EXPECT_EQ(number, 65536u);
    EXPECT_EQ(String(roots_.local_machine, u"m", u"Icon"), u"\"nowhere.ico\"");
    EXPECT_EQ(String(roots_.classes_root, u"back", u""), u"again");
}

TEST_F(ShellRegistry, ABackupKeepsTheFirstValueReplacedAndNeverLosesIt) {
    const HKEY root = roots_.classes_root;
    tltest::WriteRegistryString(HKEY_CURRENT_USER, TLString(kTestKey) + u"\\Classes\\.mp3", u"", u"Other.mp3");
    EXPECT_TRUE(
        shell::WriteRegistryStringWithBackup(tlwin::NoChangeNotes(), root, u".mp3", u"", TLString(u"Ours.1"), true));
    EXPECT_TRUE(
        shell::WriteRegistryStringWithBackup(tlwin::NoChangeNotes(), root, u".mp3", u"", TLString(u"Ours.2"), true));
    EXPECT_EQ(String(root, u".mp3", u""), u"Ours.2");
    EXPECT_EQ(String(root, u".mp3", u"Default.BAK"), u"Other.mp3");
    EXPECT_TRUE(
        shell::WriteRegistryStringWithBackup(tlwin::NoChangeNotes(), root, u".mp3", u"Gone", std::nullopt, true));

    // When the backup cannot be written, the other program's value stays.
    tltest::WriteRegistryString(HKEY_CURRENT_USER, TLString(kTestKey) + u"\\Classes\\.ogg", u"Content Type", u"audio/ogg");
    {
        tlwin::PlantedFault denied(tlwin::FaultCall::kRegistryWrite, ERROR_ACCESS_DENIED, 1);
        EXPECT_FALSE(shell::WriteRegistryStringWithBackup(tlwin::NoChangeNotes(), root, u".ogg", u"Content Type",
                                                          TLString(), true));
    }
    EXPECT_EQ(String(root, u".ogg", u"Content Type"), u"audio/ogg");
    EXPECT_EQ(String(root, u".ogg", u"Content Type.BAK"), u"<none>");
}

TEST_F(ShellRegistry, FileTypesPointAtTheProductAndKeepWhatWasThere) {
    const TLString classes = TLString(kTestKey) + u"\\Classes\\";
    const TLString file_exts = TLString(kTestKey) + u"\\User\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";
    tltest::WriteRegistryString(HKEY_CURRENT_USER, classes + u".mp3", u"", u"Other.mp3");
    tltest::WriteRegistryString(HKEY_CURRENT_USER, classes + u".mp3", u"PerceivedType", u"audio");
    tltest::WriteRegistryString(HKEY_CURRENT_USER, file_exts + u".mp3", u"Progid", u"Other.Choice");
    tltest::WriteRegistryString(HKEY_CURRENT_USER, classes + u".dat", u"", u"Other.dat");
    shell::FileAssociationData data;
    data.mime_records.push_back({u"audio", u"mpeg", {u"mp3"}});
    const shell::AssociationTexts texts{u"Tonehall.27", TLString(), u"C:\\T\\Launcher.exe"};

    for (int run = 0; run < 2; ++run)
        shell::RegisterFileTypes({u"mp3", u".XML", u"ogg", u"dat"}, data, texts, roots_);

    EXPECT_EQ(String(roots_.classes_root, u".mp3", u""), u"Tonehall.27.File");
    EXPECT_EQ(String(roots_.classes_root, u".mp3", u"Default.BAK"), u"Other.mp3");
    EXPECT_EQ(String(roots_.classes_root, u".mp3", u"PerceivedType"), u"");
    EXPECT_EQ(String(roots_.classes_root, u".mp3", u"PerceivedType.BAK"), u"audio");
    const TLString user_key = u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";
    EXPECT_EQ(String(roots_.current_user, user_key + u".mp3", u"Progid"), u"Tonehall.27.File");
    EXPECT_EQ(String(roots_.current_user, user_key + u".mp3", u"Progid.BAK"), u"Other.Choice");
    EXPECT_FALSE(KeyExists(roots_.current_user, user_key + u".ogg"));
    EXPECT_EQ(String(roots_.classes_root, u".XML", u""), u"Tonehall.27.Subscribe");
    EXPECT_EQ(String(roots_.classes_root, u".ogg", u""), u"Tonehall.27.File");
    EXPECT_EQ(String(roots_.classes_root, u".ogg", u"Default.BAK"), u"<none>");
    EXPECT_EQ(String(roots_.classes_root, u".dat", u""), u"Other.dat");
    EXPECT_EQ(String(roots_.classes_root, u"Mime\\Database\\Content Type\\audio/mpeg", u"Extension"), u".mp3");
}

TEST_F(ShellRegistry, MimeTypesAndProtocols) {
    shell::FileAssociationData data;
    data.mime_records.push_back({u"video", u"x-matroska", {u"mkv"}});
    tltest::WriteRegistryString(HKEY_CURRENT_USER, TLString(kTestKey) + u"\\Classes\\Mime\\Database\\Content Type\\video/x-matroska",
                                u"CLSID", u"{theirs}");
    shell::RegisterMimeType(u"video/x-matroska", TLString(), data, roots_);
    shell::RegisterMimeType(u"audio/unknown", TLString(), data, roots_);
    shell::RegisterMimeType(u"noslash", u".x", data, roots_);
    const TLString mime = u"Mime\\Database\\Content Type\\";
    EXPECT_EQ(String(roots_.classes_root, mime + u"video/x-matroska", u"Extension"), u".mkv");
    EXPECT_EQ(String(roots_.classes_root, mime + u"video/x-matroska", u"CLSID"), u"<none>");
    EXPECT_EQ(String(roots_.classes_root, mime + u"video/x-matroska", u"CLSID.BAK"), u"{theirs}");
    EXPECT_FALSE(KeyExists(roots_.classes_root, mime + u"audio/unknown"));
    EXPECT_FALSE(KeyExists(roots_.classes_root, mime + u"noslash"));

    shell::RegisterProtocols({u"tonehall"}, u"C:\\T\\Launcher.exe", roots_);
    EXPECT_EQ(String(roots_.classes_root, u"tonehall", u""), u"URL:tonehall Protocol");
    EXPECT_EQ(String(roots_.classes_root, u"tonehall", u"URL Protocol"), u"");
    EXPECT_EQ(String(roots_.classes_root, u"tonehall\\shell\\open\\command", u""),
              u"\"C:\\T\\Launcher.exe\" /Protocol \"%L\"");
}

TEST_F(ShellRegistry, DiscTypesAreAssociatedWhenTheirPlayCommandUsesTheProductSwitch) {
    const TLString classes = TLString(kTestKey) + u"\\Classes\\";
    tltest::WriteRegistryString(HKEY_CURRENT_USER, classes + u"DVD\\shell\\play\\command", u"", u"\"T.exe\" /dvdvideo \"%L\"");
    tltest::WriteRegistryString(HKEY_CURRENT_USER, classes + u"AudioCD\\shell\\play\\command", u"", u"other.exe %L");
    EXPECT_TRUE(shell::IsDiscTypeAssociated(u"DVDVideoDisc", roots_.classes_root));
    EXPECT_FALSE(shell::IsDiscTypeAssociated(u"cdaudiodisc", roots_.classes_root));
    EXPECT_FALSE(shell::IsDiscTypeAssociated(u"bluraydisc", roots_.classes_root));
    EXPECT_FALSE(shell::IsDiscTypeAssociated(u"floppy", roots_.classes_root));
}

TEST_F(ShellRegistry, TheMediaClientListsOnlyTheTypesOfItsLatestRegistration) {
    shell::MediaClient client{u"Tonehall Media Player", u"C:\\T\\Tonehall.exe", u"C:\\T\\Application.ico",
                              {{u".mp3", u"Tonehall.27.File"}, {u".mpl", u"Tonehall.27.Playlist"}}};
    shell::RegisterMediaClient(client, roots_);
    client.file_types.pop_back();
    shell::RegisterMediaClient(client, roots_);
    const HKEY root = roots_.local_machine;
    const TLString key = u"Software\\Clients\\Media\\Tonehall Media Player";
    EXPECT_EQ(String(root, key, u""), u"Tonehall Media Player");
    EXPECT_EQ(String(root, key + u"\\shell\\open\\command", u""), u"C:\\T\\Tonehall.exe");
    EXPECT_EQ(String(root, key + u"\\DefaultIcon", u""), u"C:\\T\\Application.ico");
    EXPECT_EQ(String(root, key + u"\\Capabilities", u"ApplicationName"), u"Tonehall Media Player");
    EXPECT_EQ(String(root, key + u"\\Capabilities\\FileAssociations", u".mp3"), u"Tonehall.27.File");
    EXPECT_EQ(String(root, key + u"\\Capabilities\\FileAssociations", u".mpl"), u"<none>");
    EXPECT_TRUE(KeyExists(root, key + u"\\Capabilities\\URLAssociations"));
    EXPECT_EQ(String(root, u"Software\\RegisteredApplications", u"Tonehall Media Player"), key + u"\\Capabilities");

    // Without a name nothing is written: not even the machine's "Software\Clients\Media" default.
    shell::RegisterMediaClient({TLString(), u"x.exe", u"x.ico", {{u".mp3", u"X"}}}, roots_);
    EXPECT_EQ(String(root, u"Software\\Clients\\Media", u""), u"<none>");
    EXPECT_FALSE(KeyExists(root, u"Software\\Clients\\Media\\Capabilities"));
}

}  // namespace
