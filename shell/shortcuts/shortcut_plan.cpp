#include "shell/shortcuts/shortcut_plan.h"

namespace shell {
namespace {

// The maker's further tools that the Start menu folder offers when they are installed.
constexpr const char16_t* kTools[][2] = {
    {u"Tonehall Tag Editor", u"TLTagEditor.exe"},
    {u"Tonehall Package Installer", u"PackageInstaller.exe"},
};

}  // namespace

bool IsSafeStartMenuFolderName(const TLString& name) {
    TLString trimmed = name;
    trimmed.Trim();
    return !trimmed.empty() && trimmed != u"." && trimmed != u".." && name.FindOneOf(u"\\/") == TLString::npos;
}

ShortcutSpec ProductShortcut(const ShortcutProduct& product, const TLString& folder) {
    return {folder + product.product_name + u".lnk", product.destination_folder + product.main_program, TLString(),
            product.find_art(u"Application.ico")};
}

std::vector<ShortcutSpec> StartMenuShortcuts(const ShortcutProduct& product, const TLString& folder) {
    const TLString main_program = product.destination_folder + product.main_program;
    std::vector<ShortcutSpec> shortcuts = {
        ProductShortcut(product, folder),
        {folder + product.media_server_name + u".lnk", main_program, u"/MediaServer", product.find_art(u"Server.ico")},
        {folder + product.uninstall_prefix + product.product_name + u".lnk",
         product.destination_folder + u"TLMediaUninstall.exe", TLString(), TLString()},
    };
    for (const auto& tool : kTools)
        shortcuts.push_back({folder + tool[0] + u".lnk", product.destination_folder + tool[1], TLString(), TLString()});
    return shortcuts;
}

}  // namespace shell
