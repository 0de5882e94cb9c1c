#include "engine/cleaning/settings_tidy.h"

#include <vector>

#include "core/string/tl_string.h"
#include "core/windows/registry.h"
#include "engine/migration/registry_tree_copy.h"

namespace engine {
namespace {

constexpr char16_t kProductKey[] = u"Software\\C. Orvane\\Tonehall 27\\";
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

// Subkeys deleted section by section; the interface plug-ins' list is gone over twice, as the product
// recreates some of them while it is asked.
const Removal kRemovedSubkeys[] = {
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

TLString Path(std::u16string_view section) { return kProductKey + TLString(section); }

tlwin::RegistryKey Section(std::u16string_view section, bool create) {
    return create ? tlwin::RegistryKey::Create(HKEY_CURRENT_USER, Path(section), KEY_ALL_ACCESS)
                  : tlwin::RegistryKey::Open(HKEY_CURRENT_USER, Path(section), KEY_ALL_ACCESS);
}

// Values and subkeys of the old section join the new one; a value the new section has already was
// set by the newer product and stays. The old section goes only when all of it arrived.
void MoveSection(const Move& move) {
    if (!Section(move.from, false).IsOpen()) return;
    if (migration::CopyRegistryTree(Path(move.from), Path(move.to), {}, nullptr))
        tlwin::DeleteKeyTree(HKEY_CURRENT_USER, Path(move.from));
}

// A library's own subkey that holds nothing, or only the mark that its stack was updated, is spent.
bool IsSpentLibraryKey(const tlwin::RegistryKey& key) {
    DWORD values = 0;
    if (RegQueryInfoKeyW(key.handle(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    if (values == 0) return true;
    TLString mark;
    DWORD dword = 0;
    return values == 1 && (key.ReadString(u"Stack Updated", &mark) || key.ReadDword(u"Stack Updated", &dword));
}

void DeleteSubkeys(const Removal& removal) {
    if (!Section(removal.section, removal.create).IsOpen()) return;
    for (const char16_t* name : removal.names)
        tlwin::DeleteKeyTree(HKEY_CURRENT_USER, Path(removal.section) + u"\\" + name);
}

}  // namespace

void TidyProductSettings() {
    for (const Move& move : kMovedSections) MoveSection(move);
    for (const Removal& removal : kRemovedSubkeys) DeleteSubkeys(removal);
    for (const TLString& name : Section(u"", false).SubkeyNames())
        if (name.StartsWithNoCase(u"UPnP Server")) tlwin::DeleteKeyTree(HKEY_CURRENT_USER, Path(name));
    for (const TLString& name : Section(u"Library Specific", false).SubkeyNames()) {
        const TLString library = u"Library Specific\\" + name;
        if (IsSpentLibraryKey(Section(library, false))) tlwin::DeleteKeyTree(HKEY_CURRENT_USER, Path(library));
    }
    for (const Removal& removal : kRemovedValues) {
        tlwin::RegistryKey section = Section(removal.section, removal.create);
        if (!section.IsOpen()) continue;
        for (const char16_t* name : removal.names) section.DeleteValue(name);
    }
}

}  // namespace engine
