// The product's shortcuts made for real under Wine in scratch folders and read back through the
// shell-link object: the Start menu folder rebuilt, targets that are not installed left out, and
// folder names that would reach other products' shortcuts refused; every folder and shortcut made is
// noted for the install record first.
#include "shell/shortcuts/product_shortcuts.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include "engine/journal/record_notes.h"
#include "tests/shell/shell_link_reader.h"
#include "tests/support/win_test_support.h"

namespace {

using journal::EntryKind;
using journal::PathEntry;

class ProductShortcuts : public ::testing::Test {
protected:
    ProductShortcuts() {
        CoInitialize(nullptr);
        product_.destination_folder = scratch_.Path(u"Product\\");
        product_.main_program = u"Tonehall.exe";
        product_.product_name = u"Tonehall";
        product_.media_server_name = u"Media Server";
        product_.uninstall_prefix = u"Uninstall ";
        product_.find_art = [this](const TLString& name) { return scratch_.Path(u"Art\\") + name; };
        scratch_.WriteFile(u"Product\\Tonehall.exe", "MZ");
        scratch_.WriteFile(u"Product\\PackageInstaller.exe", "MZ");
        scratch_.WriteFile(u"Programs\\Other Product\\Other.lnk", "keep");
        scratch_.WriteFile(u"Programs\\keep.txt", "keep");
    }
    ~ProductShortcuts() override { CoUninitialize(); }

    tltest::ScratchFolder scratch_;
    shell::ShortcutProduct product_;
};

TEST_F(ProductShortcuts, TheStartMenuFolderIsRebuiltWithTheInstalledTargets) {
    scratch_.WriteFile(u"Programs\\Tonehall 27\\Stale.lnk", "old");
    journal::CRecordNotes notes;
    ASSERT_TRUE(shell::CreateStartMenuShortcuts(product_, scratch_.Path(u"Programs"), u"Tonehall 27", notes));
    const TLString folder = scratch_.Path(u"Programs\\Tonehall 27\\");
    const shell::ShortcutSpec expected[] = {
        {folder + u"Tonehall.lnk", product_.destination_folder + u"Tonehall.exe", u"",
         scratch_.Path(u"Art\\Application.ico")},
        {folder + u"Media Server.lnk", product_.destination_folder + u"Tonehall.exe", u"/MediaServer",
         scratch_.Path(u"Art\\Server.ico")},
        {folder + u"Tonehall Package Installer.lnk", product_.destination_folder + u"PackageInstaller.exe", u"", u""},
    };
    for (const shell::ShortcutSpec& shortcut : expected) {
        shell::ShortcutSpec read;
        int icon_index = -1;
        ASSERT_TRUE(tltest::ReadShortcut(shortcut.link, &read, &icon_index)) << shortcut.link;
        EXPECT_EQ(read, shortcut);
        EXPECT_EQ(icon_index, 0);
    }
    EXPECT_FALSE(tltest::FileExists(folder + u"Uninstall Tonehall.lnk"));
    EXPECT_FALSE(tltest::FileExists(folder + u"Tonehall Tag Editor.lnk"));
    EXPECT_FALSE(tltest::FileExists(folder + u"Stale.lnk"));
    EXPECT_TRUE(tltest::FileExists(scratch_.Path(u"Programs\\Other Product\\Other.lnk")));
    EXPECT_EQ(notes.entries(), (std::vector<journal::Entry>{
                                   PathEntry(EntryKind::kCreatedFolder, scratch_.Path(u"Programs\\Tonehall 27")),
                                   PathEntry(EntryKind::kCreatedFile, expected[0].link),
                                   PathEntry(EntryKind::kCreatedFile, expected[1].link),
                                   PathEntry(EntryKind::kCreatedFile, expected[2].link),
                               }));
}

TEST_F(ProductShortcuts, AFolderNameThatLeavesItsOwnFolderDeletesAndMakesNothing) {
    for (const char16_t* name : {u"", u".", u"..", u"..\\Programs", u"Other Product/..", u"Other Product\\"}) {
        journal::CRecordNotes notes;
        EXPECT_FALSE(shell::CreateStartMenuShortcuts(product_, scratch_.Path(u"Programs"), name, notes))
            << TLString(name);
        EXPECT_TRUE(notes.entries().empty()) << TLString(name);
        EXPECT_TRUE(tltest::FileExists(scratch_.Path(u"Programs\\Other Product\\Other.lnk"))) << TLString(name);
        EXPECT_TRUE(tltest::FileExists(scratch_.Path(u"Programs\\keep.txt"))) << TLString(name);
        EXPECT_FALSE(tltest::FileExists(scratch_.Path(u"Programs\\Tonehall.lnk"))) << TLString(name);
    }
}

TEST_F(ProductShortcuts, TheProductShortcutMakesItsFolderAndNeedsItsTarget) {
    journal::CRecordNotes notes;
    const TLString link = scratch_.Path(u"Quick Launch\\New\\Tonehall.lnk");
    shell::CreateProductShortcut(product_, scratch_.Path(u"Quick Launch\\New"), notes);
    shell::CreateProductShortcut(product_, scratch_.Path(u"Quick Launch\\New"), notes);
    shell::ShortcutSpec read;
    ASSERT_TRUE(tltest::ReadShortcut(link, &read));
    EXPECT_EQ(read.target, product_.destination_folder + u"Tonehall.exe");
    EXPECT_TRUE(read.arguments.empty());
    EXPECT_EQ(notes.entries(), (std::vector<journal::Entry>{
                                   PathEntry(EntryKind::kCreatedFolder, scratch_.Path(u"Quick Launch")),
                                   PathEntry(EntryKind::kCreatedFolder, scratch_.Path(u"Quick Launch\\New")),
                                   PathEntry(EntryKind::kCreatedFile, link),
                                   PathEntry(EntryKind::kReplacedFile, link),
                               }));

    product_.main_program = u"NotInstalled.exe";
    shell::CreateProductShortcut(product_, scratch_.Path(u"Desktop"), notes);
    EXPECT_FALSE(tltest::FileExists(scratch_.Path(u"Desktop\\Tonehall.lnk")));
}

}  // namespace
