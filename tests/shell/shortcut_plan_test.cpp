// The product's shortcuts as data, and which Start menu folder names may be rebuilt.
#include "shell/shortcuts/shortcut_plan.h"

#include <gtest/gtest.h>

namespace {

TEST(ShortcutPlan, StartMenuFolderNamesThatStayInTheirFolder) {
    const struct {
        std::u16string_view name;
        bool safe;
    } cases[] = {
        {u"Tonehall 27", true}, {u"", false},        {u"  ", false},       {u".", false},
        {u"..", false},         {u"a\\b", false},    {u"..\\x", false},    {u"a/b", false},
        {u"Tonehall...", true},
    };
    for (const auto& c : cases) EXPECT_EQ(shell::IsSafeStartMenuFolderName(TLString(c.name)), c.safe) << TLString(c.name);
}

TEST(ShortcutPlan, StartMenuShortcutsInOrder) {
    shell::ShortcutProduct product;
    product.destination_folder = u"C:\\P\\";
    product.main_program = u"Tonehall.exe";
    product.product_name = u"Tonehall";
    product.media_server_name = u"Medienserver";
    product.uninstall_prefix = u"Entfernen: ";
    product.find_art = [](const TLString& name) { return u"C:\\Art\\" + name; };
    const std::vector<shell::ShortcutSpec> expected = {
        {u"S\\Tonehall.lnk", u"C:\\P\\Tonehall.exe", u"", u"C:\\Art\\Application.ico"},
        {u"S\\Medienserver.lnk", u"C:\\P\\Tonehall.exe", u"/MediaServer", u"C:\\Art\\Server.ico"},
        {u"S\\Entfernen: Tonehall.lnk", u"C:\\P\\TLMediaUninstall.exe", u"", u""},
        {u"S\\Tonehall Tag Editor.lnk", u"C:\\P\\TLTagEditor.exe", u"", u""},
        {u"S\\Tonehall Package Installer.lnk", u"C:\\P\\PackageInstaller.exe", u"", u""},
    };
    EXPECT_EQ(shell::StartMenuShortcuts(product, u"S\\"), expected);
}

}  // namespace
