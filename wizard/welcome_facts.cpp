#include "wizard/welcome_facts.h"

#include <windows.h>

#include "core/tools/tools.h"
#include "core/xml/file_text.h"
#include "engine/uninstall/uninstall_entries.h"
#include "wizard/rules/license_rules.h"

namespace welcome {

TLString ReadLicenseText(const TLString& installer_folder) {
    TLString text;
    if (!tlxml::ReadTextFile(installer_folder + wizard_rules::kLicenseFileName, text)) return TLString();
    // A multi-line edit control breaks lines only at "\r\n".
    TLString lines;
    for (size_t i = 0; i < text.length(); ++i) {
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) lines += u'\r';
        lines += text[i];
    }
    return lines;
}

void DetectExistingInstallations(InstallSession& session) {
    const TLString family_prefix = tools::ProductItem(2);
    const TLString product_name = tools::ProductItem(3);
    wizard_rules::DetectExistingInstallations(
        session, [&](bool wow64_view) { return FindUninstallEntries(family_prefix, product_name, wow64_view); },
        [](const TLString& entry) {
            return tools::OpenRegistryKey(HKEY_LOCAL_MACHINE,
                                          u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + entry)
                .GetString(u"InstallLocation"_tl, TLString());
        });
}

}  // namespace welcome
