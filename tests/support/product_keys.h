#pragma once
// Registry keys of the installed product that tests read, plant or clean.

namespace tltest {

inline constexpr char16_t kProductSettingsKey[] = u"Software\\C. Orvane\\Tonehall 27";
inline constexpr char16_t kPropertiesKey[] = u"Software\\C. Orvane\\Tonehall 27\\Properties";
inline constexpr char16_t kFinalizeKey[] = u"Software\\C. Orvane\\Tonehall 27\\Installer\\Finalize";
inline constexpr char16_t kRunOnceKey[] = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
inline constexpr char16_t kUninstallKey[] =
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tonehall 27 (64-bit)";

}  // namespace tltest
