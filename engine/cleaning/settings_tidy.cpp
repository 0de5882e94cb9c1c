#include "engine/cleaning/settings_tidy.h"

#include <windows.h>

#include <string>
#include <vector>

#include "core/string/tl_string.h"

namespace engine {
namespace {

constexpr wchar_t kProductKey[] = L"Software\\C. Orvane\\Tonehall 27\\";
constexpr wchar_t kScrobblingSubkey[] = L"Scrobbling Service";

struct Move {
    const wchar_t* from;
    const wchar_t* to;
};
constexpr Move kMovedSections[] = {
    {L"PluginsRemoteControl", L"Plugins\\RemoteControl"},
    {L"Handheld", L"Portable Devices\\Conversion"},
};

struct Removal {
    const wchar_t* section;
    bool create;  // the section is made when it is missing
    std::vector<const wchar_t*> names;
};

// Subkeys deleted section by section; the interface plug-ins' list is gone over twice, as the product
// recreates some of them while it is asked.
const Removal kRemovedSubkeys[] = {
    {L"Plugins", false, {L"Lounge ViewNews", L"Lounge ViewWeather"}},
    {L"Plugins\\Interface", true, {L"UPnP Server", L"Library Server", kScrobblingSubkey}},
    {L"Plugins\\Interface", true, {L"UPnP Server", kScrobblingSubkey}},
};

const Removal kRemovedValues[] = {
    {L"Properties",
     false,
     {L"Install - Start Version", L"Install - Create Start Menu", L"EPG - MC2XML Executable",
      L"STBChannel - MC2XML Executable", L"Rename From Info - Base Path", L"Rename From Info - Use Filename Rule",
      L"Rename From Info - Use Directory Rule", L"Rename From Info - Use Find & Replace",
      L"Rename From Info - Smart Multi-Artist Handling", L"Rename From Info - Find", L"Rename From Info - Replace"}},
    {L"Plugins", true, {L"C. Orvane Main Encoders"}},
    {L"Plugins\\System",
     true,
     {L"C. Orvane Main DSPs", L"C. Orvane Main Encoders", L"C. Orvane Main Outputs",
      L"C. Orvane Main Remote Controls"}},
};

class Key {
public:
    Key(const std::wstring& path, bool create) {
        const LONG result = create ? RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                                     nullptr, &key_, nullptr)
                                   : RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key_);
        if (result != ERROR_SUCCESS) key_ = nullptr;
    }
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY get() const { return key_; }

    std::vector<std::wstring> Subkeys() const {
        std::vector<std::wstring> names;
        wchar_t name[256];
        for (DWORD index = 0; RegEnumKeyW(key_, index, name, 256) == ERROR_SUCCESS; ++index) names.push_back(name);
        return names;
    }

private:
    HKEY key_ = nullptr;
};

std::wstring Path(const wchar_t* section) { return std::wstring(kProductKey) + section; }

void MoveSection(const Move& move) {
    Key from(Path(move.from), false);
    if (!from.get()) return;
    Key to(Path(move.to), true);
    if (to.get() && RegCopyTreeW(from.get(), nullptr, to.get()) == ERROR_SUCCESS)
        RegDeleteTreeW(HKEY_CURRENT_USER, Path(move.from).c_str());
}

// A library's own subkey that holds nothing, or only the mark that its stack was updated, is spent.
bool IsSpentLibraryKey(const Key& key) {
    DWORD values = 0;
    if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    if (values == 0) return true;
    if (values != 1) return false;
    wchar_t name[64];
    DWORD length = 64;
    return RegEnumValueW(key.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           std::wstring(name) == L"Stack Updated";
}

}  // namespace

void TidyProductSettings() {
    for (const Move& move : kMovedSections) MoveSection(move);
    for (const Removal& removal : kRemovedSubkeys) {
        Key section(Path(removal.section), removal.create);
        if (!section.get()) continue;
        for (const wchar_t* name : removal.names) RegDeleteTreeW(section.get(), name);
    }
    if (Key product(kProductKey, false); product.get()) {
        for (const std::wstring& name : product.Subkeys())
            if (TLString(name.c_str()).StartsWithNoCase(u"UPnP Server")) RegDeleteTreeW(product.get(), name.c_str());
    }
    if (Key libraries(Path(L"Library Specific"), false); libraries.get()) {
        for (const std::wstring& name : libraries.Subkeys()) {
            bool spent = false;
            {
                Key library(Path(L"Library Specific\\") + name, false);
                spent = library.get() && IsSpentLibraryKey(library);
            }
            if (spent) RegDeleteTreeW(libraries.get(), name.c_str());
        }
    }
    for (const Removal& removal : kRemovedValues) {
        Key section(Path(removal.section), removal.create);
        if (!section.get()) continue;
        for (const wchar_t* name : removal.names) RegDeleteValueW(section.get(), name);
    }
}

}  // namespace engine
