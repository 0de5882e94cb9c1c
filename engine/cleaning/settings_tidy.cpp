#include "engine/cleaning/settings_tidy.h"

#include <vector>

#include "core/string/tl_string.h"
#include "core/tools/tools.h"

namespace engine {
namespace {

constexpr char16_t kScrobblingSubkey[] = u"Scrobbling Service";

struct Move {
    const char16_t* from;
    const char16_t* to;
};
constexpr Move kMovedSections[] = {
    {u"PluginsRemoteControl", u"Plugins\\RemoteControl"},
    {u"Handheld", u"Portable Devices\\Conversion"},
};

struct Removal {
    const char16_t* section;
    bool create;  // the section is made when it is missing
    std::vector<const char16_t*> names;
};

// Subsections deleted section by section; the interface plug-ins' list is gone over twice, as the
// product recreates some of them while it is asked.
const Removal kRemovedSubsections[] = {
    {u"Plugins", false, {u"Lounge ViewNews", u"Lounge ViewWeather"}},
    {u"Plugins\\Interface", true, {u"UPnP Server", u"Library Server", kScrobblingSubkey}},
    {u"Plugins\\Interface", true, {u"UPnP Server", kScrobblingSubkey}},
};

const Removal kRemovedValues[] = {
    {u"Properties",
     false,
     {u"Install - Start Version", u"Install - Create Start Menu", u"EPG - MC2XML Executable",
      u"STBChannel - MC2XML Executable", u"Rename From Info - Base Path", u"Rename From Info - Use Filename Rule",
      u"Rename From Info - Use Directory Rule", u"Rename From Info - Use Find & Replace",
      u"Rename From Info - Smart Multi-Artist Handling", u"Rename From Info - Find", u"Rename From Info - Replace"}},
    {u"Plugins", true, {u"C. Orvane Main Encoders"}},
    {u"Plugins\\System",
     true,
     {u"C. Orvane Main DSPs", u"C. Orvane Main Encoders", u"C. Orvane Main Outputs",
      u"C. Orvane Main Remote Controls"}},
};

tools::Settings Section(const char16_t* name, bool create) {
    return create ? tools::OpenSettingsSection(name) : tools::OpenExistingSettingsSection(name);
}

// A library's own section that holds nothing, or only the mark that its stack was updated, is spent.
bool IsSpentLibrarySection(const tools::Settings& section) {
    const TLStringArray values = section.ValueNames();
    return values.IsEmpty() || (values.GetCount() == 1 && values[0].EqualsNoCase(u"Stack Updated"));
}

}  // namespace

void TidyProductSettings() {
    for (const Move& move : kMovedSections) tools::MoveSettingsSection(move.from, move.to);
    for (const Removal& removal : kRemovedSubsections) {
        tools::Settings section = Section(removal.section, removal.create);
        for (const char16_t* name : removal.names) section.DeleteSubsection(name);
    }
    tools::Settings product = tools::OpenSettingsSection(TLString());
    for (const TLString& name : product.SubsectionNames())
        if (name.StartsWithNoCase(u"UPnP Server")) product.DeleteSubsection(name);
    tools::Settings libraries = Section(u"Library Specific", false);
    for (const TLString& name : libraries.SubsectionNames())
        if (IsSpentLibrarySection(tools::OpenSettingsSection(u"Library Specific\\" + name)))
            libraries.DeleteSubsection(name);
    for (const Removal& removal : kRemovedValues) {
        tools::Settings section = Section(removal.section, removal.create);
        for (const char16_t* name : removal.names) section.DeleteValue(name);
    }
}

}  // namespace engine
