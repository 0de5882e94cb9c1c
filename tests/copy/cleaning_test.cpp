// The cleaning before the copy: obsolete files, the folders of earlier layouts and the product's
// settings; a folder of the user's own keeps what it holds.
#include <gtest/gtest.h>

#include "engine/cleaning/cleaning.h"
#include "engine/install/product_folder_facts.h"
#include "tests/copy/copy_test_support.h"
#include "tests/support/product_keys.h"
#include "tests/support/product_tools.h"
#include "tests/support/win_test_support.h"

namespace {

using tltest::kProductSettingsKey;

class Cleaning : public ::testing::Test {
protected:
    engine::CleaningRequest Request(bool holds_product) {
        engine::CleaningRequest request;
        request.install_folder = dest_;
        request.holds_product = holds_product;
        return request;
    }

    tltest::RegistryCleanup settings_{HKEY_CURRENT_USER, kProductSettingsKey};
    tltest::ScratchFolder scratch_;
    TLString dest_ = scratch_.Path(u"dest\\");
    engine::PendingOperations pending_;
};

TEST_F(Cleaning, ObsoleteComServerInUseIsDeletedAtTheNextStart) {
    const TLString server = dest_ + u"TLWebComponent.dll";
    ASSERT_TRUE(scratch_.CopyIn(tltest::BuildPath(u"tests/copy/fixtures/Version1.dll"), u"dest\\TLWebComponent.dll"));
    const TLString unused = dest_ + u"Plugins\\gen_tray.dll";
    ASSERT_TRUE(scratch_.WriteFile(u"dest\\Plugins\\gen_tray.dll", "old plug-in"));
    {
        tltest::HeldFile held(server);
        engine::CleanInstallationDirectory(Request(true), pending_);
    }
    EXPECT_EQ(pending_.files, TLStringArray{u"_DELETEFILE|" + server});
    EXPECT_FALSE(tltest::FileExists(unused));
}

TEST_F(Cleaning, ConfiguredEntriesLieInTheInstallFolderNotTheCurrentOne) {
    const TLString elsewhere = scratch_.Path(u"elsewhere\\");
    ASSERT_TRUE(scratch_.WriteFile(u"elsewhere\\old.txt", "not the product's"));
    ASSERT_TRUE(scratch_.WriteFile(u"dest\\old.txt", "obsolete"));
    ASSERT_TRUE(scratch_.WriteFile(u"dest\\Plugins\\gone.txt", "obsolete"));
    ASSERT_TRUE(scratch_.WriteFile(u"dest\\kept.txt", "current"));
    const TLString absolute = scratch_.Path(u"absolute.txt");
    ASSERT_TRUE(scratch_.WriteFile(u"absolute.txt", "named in full"));
    wchar_t saved[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, saved);
    SetCurrentDirectoryW(elsewhere.wc());

    engine::CleaningRequest request = Request(true);
    request.configured_obsolete = u"old.txt;;Plugins\\gone.txt;" + absolute;
    engine::CleanInstallationDirectory(request, pending_);
    SetCurrentDirectoryW(saved);

    EXPECT_TRUE(tltest::FileExists(elsewhere + u"old.txt"));
    EXPECT_FALSE(tltest::FileExists(dest_ + u"old.txt"));
    EXPECT_FALSE(tltest::FileExists(dest_ + u"Plugins\\gone.txt"));
    EXPECT_FALSE(tltest::FileExists(absolute));
    EXPECT_TRUE(tltest::FileExists(dest_ + u"kept.txt")) << "an empty entry names nothing";
}

// Every subfolder a cleaning deletes, with a marker file in each.
constexpr const char16_t* kCleanedMarkers[] = {
    u"Setup\\marker.txt", u"Data\\Saved Views\\marker.txt",       u"Skins\\Lounge View\\Themes\\Default\\marker.txt",
    u"Web\\marker.txt",   u"Filters\\VideoDecoder32\\marker.txt", u"Plugins\\gen_tray.dll",
};

TEST_F(Cleaning, TouchesTheFilesOnlyOfAFolderThatHoldsTheProduct) {
    for (const char16_t* marker : kCleanedMarkers) ASSERT_TRUE(scratch_.WriteFile(u"dest\\" + TLString(marker), "x"));
    const engine::ProductFolderFacts facts =
        engine::GatherProductFolderFacts(dest_, u"Tonehall.exe", u"Tonehall 27 Cleaning Test", u"No Such Entry");
    ASSERT_FALSE(engine::HoldsProduct(facts));
    engine::CleanInstallationDirectory(Request(false), pending_);
    for (const char16_t* marker : kCleanedMarkers) EXPECT_TRUE(tltest::FileExists(dest_ + marker)) << TLString(marker);

    ASSERT_TRUE(scratch_.WriteFile(u"dest\\Tonehall.exe", "the product's program"));
    ASSERT_TRUE(engine::HoldsProduct(
        engine::GatherProductFolderFacts(dest_, u"Tonehall.exe", u"Tonehall 27 Cleaning Test", u"No Such Entry")));
    engine::CleanInstallationDirectory(Request(true), pending_);
    for (const char16_t* marker : kCleanedMarkers) EXPECT_FALSE(tltest::FileExists(dest_ + marker)) << TLString(marker);
}

bool KeyExists(const TLString& path) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.wc(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// The settings are reached through the product's tools library, as the installer reaches them.
TEST_F(Cleaning, SettingsOfEarlierVersionsAreTidied) {
    const tltest::ProductTools tools;
    ASSERT_TRUE(tools.loaded());
    const TLString key = kProductSettingsKey;
    ASSERT_TRUE(tltest::WriteRegistryString(HKEY_CURRENT_USER, key + u"\\Installer\\Finalize", u"Install File (0)",
                                            u"C:\\Old\\Setup\\a.dll|C:\\Old\\a.dll"));
    ASSERT_TRUE(
        tltest::WriteRegistryString(HKEY_CURRENT_USER, key + u"\\Library Specific\\Kept", u"Stack Updated", u"1"));
    ASSERT_TRUE(tltest::WriteRegistryString(HKEY_CURRENT_USER, key + u"\\Library Specific\\Kept", u"Other", u"2"));
    ASSERT_TRUE(
        tltest::WriteRegistryString(HKEY_CURRENT_USER, key + u"\\Library Specific\\Spent", u"Stack Updated", u"1"));
    ASSERT_TRUE(tltest::WriteRegistryString(HKEY_CURRENT_USER, key + u"\\PluginsRemoteControl", u"Device", u"IR"));
    ASSERT_TRUE(tltest::WriteRegistryString(HKEY_CURRENT_USER, key + u"\\UPnP Server (2)", u"Port", u"1"));
    ASSERT_TRUE(
        tltest::WriteRegistryString(HKEY_CURRENT_USER, key + u"\\Properties", u"Install - Start Version", u"26"));
    ASSERT_TRUE(tltest::WriteRegistryString(HKEY_CURRENT_USER, key + u"\\Properties", u"Language", u"German"));
    ASSERT_TRUE(
        tltest::WriteRegistryString(HKEY_CURRENT_USER, key + u"\\Plugins\\System", u"C. Orvane Main DSPs", u"x"));

    engine::CleanInstallationDirectory(Request(false), pending_);

    TLString value;
    EXPECT_FALSE(
        tltest::ReadRegistryString(HKEY_CURRENT_USER, key + u"\\Installer\\Finalize", u"Install File (0)", &value));
    // A section that was not there is not made by moving it.
    EXPECT_FALSE(KeyExists(key + u"\\Portable Devices\\Conversion"));
    EXPECT_FALSE(KeyExists(key + u"\\Handheld"));
    EXPECT_TRUE(tltest::ReadRegistryString(HKEY_CURRENT_USER, key + u"\\Library Specific\\Kept", u"Other", &value));
    EXPECT_FALSE(
        tltest::ReadRegistryString(HKEY_CURRENT_USER, key + u"\\Library Specific\\Spent", u"Stack Updated", &value));
    EXPECT_TRUE(tltest::ReadRegistryString(HKEY_CURRENT_USER, key + u"\\Plugins\\RemoteControl", u"Device", &value));
    EXPECT_EQ(value, u"IR");
    EXPECT_FALSE(tltest::ReadRegistryString(HKEY_CURRENT_USER, key + u"\\PluginsRemoteControl", u"Device", &value));
    EXPECT_FALSE(tltest::ReadRegistryString(HKEY_CURRENT_USER, key + u"\\UPnP Server (2)", u"Port", &value));
    EXPECT_FALSE(
        tltest::ReadRegistryString(HKEY_CURRENT_USER, key + u"\\Properties", u"Install - Start Version", &value));
    EXPECT_TRUE(tltest::ReadRegistryString(HKEY_CURRENT_USER, key + u"\\Properties", u"Language", &value));
    EXPECT_FALSE(
        tltest::ReadRegistryString(HKEY_CURRENT_USER, key + u"\\Plugins\\System", u"C. Orvane Main DSPs", &value));
}

}  // namespace
