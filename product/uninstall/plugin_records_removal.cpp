#include "product/uninstall/plugin_records_removal.h"

#include "core/tools/tools.h"
#include "product/uninstall/uninstall_plan.h"

namespace uninstall {
namespace {

constexpr char16_t kBookkeeping[] = u"Plugins\\Uninstall";

bool DeleteSection(const TLString& section) {
    const size_t slash = section.ReverseFind(u'\\');
    tools::Settings parent = tools::OpenExistingSettingsSection(section.Left(slash));
    return !parent.IsOpen() || parent.DeleteSubsection(section.Mid(slash + 1));
}

}  // namespace

void RemoveRecordsOfGonePlugins(const std::function<bool(const TLString& library)>& library_gone) {
    const tools::Settings bookkeeping = tools::OpenExistingSettingsSection(kBookkeeping);
    if (!bookkeeping.IsOpen()) return;
    const TLStringArray names = bookkeeping.SubsectionNames();
    for (size_t i = 0; i < names.GetCount(); ++i) {
        PluginBookkeeping plugin{names[i], {}, {}};
        {
            const tools::Settings section = tools::OpenExistingSettingsSection(TLString(kBookkeeping) + u"\\" + names[i]);
            plugin.library = section.GetString(u"Path", TLString());
            plugin.sections = section.GetString(u"Sections", TLString());
        }
        if (plugin.library.empty() || !library_gone(plugin.library)) continue;
        for (const TLString& section : PluginSectionsToRemove(plugin)) {
            if (!DeleteSection(section))
                tools::LogFormat(u"Uninstall", u"The plug-in record %s cannot be removed", section);
        }
        tools::LogFormat(u"Uninstall", u"The records of the plug-in %s are removed", plugin.library);
    }
}

}  // namespace uninstall
