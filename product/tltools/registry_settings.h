#pragma once
// Settings kept in the registry: a settings section is the key
// HKEY_CURRENT_USER "Software\C. Orvane\Tonehall 27\<section>" (tools::ProductSettingsKey), a
// registry key object any key.
// Integers are stored as REG_DWORD when they fit in 32 bits and as REG_QWORD otherwise; strings as
// REG_SZ, or REG_EXPAND_SZ when asked for an expandable string.

#include <windows.h>

#include <utility>

#include "core/tools/tools_interface.h"
#include "core/windows/registry.h"

namespace tltools_dll {

class CRegistrySettings final : public tltools::ISettings {
public:
    // Opens the key for reading and writing, creating it; null when that fails.
    static CRegistrySettings* Open(HKEY root, const TLString& key_path);
    static CRegistrySettings* OpenSection(const TLString& section);

    int64_t GetInteger(const TLString& name, int64_t fallback) override;
    bool SetInteger(const TLString& name, int64_t value) override;
    TLString GetString(const TLString& name, const TLString& fallback) override;
    bool SetString(const TLString& name, const TLString& value, int type) override;
    bool DeleteValue(const TLString& name) override;
    bool Exists() override { return key_.IsOpen(); }
    void Release() override { delete this; }
    TLStringArray SubsectionNames() override { return key_.SubkeyNames(); }
    TLStringArray ValueNames() override { return key_.ValueNames(); }
    bool DeleteSubsection(const TLString& name) override;

    // See ToolsInterface::MoveSettingsSection.
    static bool MoveSection(const TLString& from, const TLString& to);

private:
    explicit CRegistrySettings(tlwin::RegistryKey key) : key_(std::move(key)) {}
    ~CRegistrySettings() = default;

    tlwin::RegistryKey key_;
};

// Imports a settings export: one file, or every "*.tlsettings" file of a folder in name order. In a
// file "[Section]" lines name a settings section ("DLNA\Servers" one below another), "name=value"
// lines set a value in it; "dword:<decimal>" values are integers, all others strings.
class CSettingsImport final : public tltools::ISettingsImport {
public:
    static constexpr char16_t kExportExtension[] = u".tlsettings";
    bool Import(const TLString& path) override;

private:
    static bool ImportFile(const TLString& file);
};

}  // namespace tltools_dll
