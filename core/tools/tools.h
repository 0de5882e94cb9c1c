#pragma once
// The installer's way to the tools library's services. Every function works whether the library is
// loaded or not: without it (or without the service) texts stay English, lookups give their
// defaults and nothing is logged.

#include "core/string/tl_string.h"
#include "core/tools/tools_interface.h"

namespace tools {

// The process-wide interface; null until the tools library is loaded.
tltools::ToolsInterface* Interface();
void SetInterface(tltools::ToolsInterface* tools);

// The text in the user's language; empty texts are passed over.
TLString Translate(const TLString& text);

// A second place for the installer's log lines (the file a distributor names with "/Log="). It gets
// every line written through Log, also while the tools library is missing.
class ILogCopy {
public:
    virtual void Write(int kind, std::u16string_view function, const TLString& text) = 0;

protected:
    ~ILogCopy() = default;
};
void SetLogCopy(ILogCopy* copy);

// Whether a line logged now reaches any log.
bool Logging();

// One line in the general log under the name of the function that writes it.
void Log(std::u16string_view function, const TLString& text, int kind = tltools::ILogger::kInfo);
template <typename... T>
void LogFormat(std::u16string_view function, std::u16string_view format, const T&... args) {
    if (Logging()) Log(function, TLString::Format(format, args...));
}

// Product information, or the fallback / empty text without it.
tltools::IProductInfo* ProductInfo();
TLString ProductString(const TLString& path, const TLString& fallback);
int64_t ProductInteger(const TLString& path, int64_t fallback);
TLString ProductItem(int number);
TLString LauncherFileName();
TLString MainProgramFileName();
bool ProductFeature(int number);

// A settings section ("Properties", "Installer", ...) or registry key of the tools library. Without
// the library the object is empty: reads give their defaults and writes report failure.
class Settings {
public:
    explicit Settings(tltools::ISettings* settings = nullptr) : settings_(settings) {}
    Settings(Settings&& other) noexcept : settings_(other.settings_) { other.settings_ = nullptr; }
    Settings& operator=(Settings&&) = delete;
    Settings(const Settings&) = delete;
    ~Settings();

    bool IsOpen() const { return settings_ != nullptr; }
    int64_t GetInteger(const TLString& name, int64_t fallback) const;
    TLString GetString(const TLString& name, const TLString& fallback) const;
    bool SetInteger(const TLString& name, int64_t value);
    bool SetString(const TLString& name, const TLString& value, int type = tltools::ISettings::kPlainString);
    bool DeleteValue(const TLString& name);
    TLStringArray SubsectionNames() const;
    TLStringArray ValueNames() const;
    bool DeleteSubsection(const TLString& name);

private:
    tltools::ISettings* settings_;
};

// The settings section, made when it is missing.
Settings OpenSettingsSection(const TLString& section);
// The settings section when it exists; empty otherwise (nothing is made).
Settings OpenExistingSettingsSection(const TLString& section);
bool MoveSettingsSection(const TLString& from, const TLString& to);
// `root` is a predefined registry key handle (HKEY_LOCAL_MACHINE, ...).
Settings OpenRegistryKey(void* root, const TLString& key_path);

}  // namespace tools
