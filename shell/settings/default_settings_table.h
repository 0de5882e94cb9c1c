#pragma once
// The product's presettable settings: for each identifier its name in the "Properties" store, the
// key under which the product information's "DefaultSettings" element may preset it, and its
// built-in default. Identifiers outside the table have none of these.

#include <cstdint>
#include <span>
#include <string_view>

namespace tlsettings {

// The few settings whose built-in default is found on the machine rather than in the table.
enum class MachineDefault : uint8_t {
    kNone,
    kMusicFolder,         // text: the user's "My Music" folder, with a trailing backslash
    kShellHandlerExists,  // integer: 1 when the shell extension's context-menu handler is registered
};

struct DefaultSetting {
    std::u16string_view install_key;  // empty: the product information cannot preset it
    std::u16string_view name;
    int int_default;                   // 0 for settings with a text default
    std::u16string_view text_default;  // empty for most settings
    MachineDefault machine = MachineDefault::kNone;
};

inline constexpr int kShellIntegrationSetting = 5;

// Every setting, indexed by identifier.
std::span<const DefaultSetting> DefaultSettings();

// The setting of that identifier, or null for identifiers below 0 or past the table.
const DefaultSetting* FindDefaultSetting(int id);

}  // namespace tlsettings
