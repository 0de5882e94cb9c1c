#include "engine/uninstall/uninstall_values.h"

namespace engine {

std::vector<NamedValue> UninstallValues(const UninstallFacts& facts) {
    return {
        {u"DisplayName", facts.display_name + u" (64-bit)"},
        {u"HelpLink", facts.web_address},
        {u"URLUpdateInfo", facts.web_address},
        {u"URLInfoAbout", facts.web_address},
        {u"InstallLocation", facts.destination_folder},
        {u"Publisher", u"Corvane, Inc."},
        {u"DisplayVersion", facts.version},
        {u"DisplayIcon", facts.icon_path},
        {u"UninstallString", u"\"" + facts.destination_folder + kUninstallProgram + u"\""},
    };
}

}  // namespace engine
