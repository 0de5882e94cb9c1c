#include "app/installation_record_values.h"

namespace installation {

std::vector<RecordValue> RecordValues(const RecordFacts& facts) {
    return {
        {u"Path", facts.destination_folder, false, 0, true},
        {u"Version", facts.version_text},
        {u"OS Version", TLString(), true, facts.os_code},
        {u"Launcher Name", facts.launcher_name},
        {u"Uninstall Key", facts.uninstall_key},
        {u"GUID", facts.existing_guid.empty() ? facts.new_guid : facts.existing_guid},
    };
}

bool InstalledVersionNotOlder(const CurrentnessFacts& facts) {
    if (facts.allow_downgrade || !facts.existing_installation_found || facts.portable) return false;
    return facts.installed_version >= facts.new_version;
}

}  // namespace installation
