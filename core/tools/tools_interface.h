#pragma once
// The binary interface between the installer and the product's tools library (TLTools).
//
// The library's export "GetTLToolsDLL" takes the interface version and returns a ToolsInterface.
// Both sides are built by the same compiler with the same TLString, so the interfaces are plain
// abstract classes. A service is obtained by asking the interface for it and may be absent (null);
// callers go through core/tools/tools.h, which falls back to English text, defaults, no log line and
// the plain Windows message box when the library or a service is missing.
//
// Window and module handles travel as void* so that this header stays free of <windows.h>.

#include <cstdint>

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"

namespace tltools {

constexpr int kInterfaceVersion = 200048;

// Every product module's entry export returns an object whose first operation takes the
// application's instance handle.
class IProductModule {
public:
    virtual void Initialize(void* instance) = 0;

protected:
    ~IProductModule() = default;
};
using ModuleEntry = IProductModule* (*)(int version);
using ModuleExit = void (*)();

class IStringService {
public:
    enum SearchMode : int { kExact = 0, kIgnoreCase = 3 };
    // Index of `what` in `text`, or -1.
    virtual int FindText(const TLString& text, const TLString& what, int mode) = 0;

protected:
    ~IStringService() = default;
};

class IProcessPosting {
public:
    // Hands a command line to the running product; false when none receives it.
    virtual bool PostCommandLine(const TLString& command_line) = 0;

protected:
    ~IProcessPosting() = default;
};

class ITranslator {
public:
    // Rewrites a user-visible text in place into the user's language; unknown texts stay as they are.
    virtual void Translate(TLString& text) = 0;
    // The current user-interface language, as its English name ("English", "German", ...).
    virtual TLString CurrentLanguage() = 0;
    // Shows the language selection; true when the user chose a language.
    virtual bool ShowLanguageSelection(void* owner_window) = 0;

protected:
    ~ITranslator() = default;
};

class ISkinService {
public:
    virtual void SetTitleBarImage(const TLString& image_name) = 0;
    // Takes the skin file to draw with; false when the file is not a valid skin.
    virtual bool SetSkinFile(const TLString& path) = 0;
    virtual bool IsValidSkinFile(const TLString& path) = 0;
    // Colour (0x00BBGGRR) of a named skin element, or `fallback` when the skin has none.
    virtual uint32_t GetColor(const TLString& element, uint32_t fallback) = 0;

protected:
    ~ISkinService() = default;
};

class IProductInfo {
public:
    // Loads the product information; `path` empty means the library's own default place.
    virtual bool Load(const TLString& path, TLString* error_text) = 0;
    // Lookups by path of the "/*/Section/Key" form, with a default.
    virtual TLString GetString(const TLString& path, const TLString& fallback) = 0;
    virtual int64_t GetInteger(const TLString& path, int64_t fallback) = 0;
    // Numbered product strings: 0 to 3 the product's names, 5 the media-client display name,
    // 15 the download base address.
    virtual TLString GetItem(int number) = 0;
    virtual TLString GetVersionText() = 0;
    virtual TLString GetMainProgramFileName() = 0;
    virtual TLString GetLauncherFileName() = 0;
    virtual TLString GetLauncherPath() = 0;
    virtual TLString GetStartMenuFolder() = 0;
    virtual TLString GetWebAddress() = 0;
    virtual TLString GetMimeTypes() = 0;     // ";"-separated
    virtual TLString GetUrlProtocols() = 0;  // ";"-separated
    // Yes/no feature questions by number.
    virtual bool Query(int feature) = 0;
    // Whether Load has succeeded.
    virtual bool IsLoaded() = 0;

protected:
    ~IProductInfo() = default;
};

class ILogger {
public:
    enum Kind : int { kInfo = 0, kWarning = 1, kError = 2, kTrace = 3 };
    virtual void Log(int kind, const TLString& function, const TLString& text) = 0;

protected:
    ~ILogger() = default;
};

class IMessageService {
public:
    enum Buttons : int { kOk = 0, kYesNo = 4 };
    enum Result : int { kResultOk = 1, kResultCancel = 2, kResultYes = 6, kResultNo = 7, kResultFirstNamed = 100 };
    // A dialog with a title, a text and buttons; with `named_buttons` given ("Retry", "Cancel", ...)
    // those replace `buttons` and the result is kResultFirstNamed + the index of the one pressed.
    virtual int Show(void* owner_window, const TLString& title, const TLString& text, int buttons,
                     const TLStringArray* named_buttons) = 0;

protected:
    ~IMessageService() = default;
};

class IMessageDispatcher {
public:
    // Dispatches the window messages waiting for the calling thread.
    virtual void DispatchPending() = 0;
    // User-interface metrics for the window toolkit (as GetSystemMetrics numbers them).
    virtual int GetMetric(int index) = 0;
    // Runs a message loop until the thread's quit message; returns its exit code.
    virtual int RunMessageLoop() = 0;

protected:
    ~IMessageDispatcher() = default;
};

// A settings section ("Properties", "Installer", "Installer\Finalize") or a registry key: typed
// values by name. Release() ends the caller's use of the object.
class ISettings {
public:
    // How a string is kept: plain, or as a text whose "%NAME%" parts the reader expands (a registry
    // store keeps those as REG_EXPAND_SZ, the type number of this value).
    enum StringType : int { kPlainString = 0, kExpandableString = 2 };

    virtual int64_t GetInteger(const TLString& name, int64_t fallback) = 0;
    virtual bool SetInteger(const TLString& name, int64_t value) = 0;
    virtual TLString GetString(const TLString& name, const TLString& fallback) = 0;
    // `type` is one of StringType; other numbers are refused.
    virtual bool SetString(const TLString& name, const TLString& value, int type) = 0;
    virtual bool DeleteValue(const TLString& name) = 0;
    virtual bool Exists() = 0;
    virtual void Release() = 0;
    // The groups directly below this one ("Plugins" holds "Plugins\Interface"), and this group's
    // value names.
    virtual TLStringArray SubsectionNames() = 0;
    virtual TLStringArray ValueNames() = 0;
    // Deletes the group below this one with everything it holds.
    virtual bool DeleteSubsection(const TLString& name) = 0;

protected:
    ~ISettings() = default;
};

class ISettingsImport {
public:
    // Imports a settings export into the product's settings: an exported file, or the folder the
    // product exports its settings into.
    virtual bool Import(const TLString& path) = 0;

protected:
    ~ISettingsImport() = default;
};

class IRunningProduct {
public:
    virtual bool IsRunning() = 0;
    virtual void* MainWindow() = 0;
    // Asks the running product to close by its own means and waits up to `timeout_ms`.
    virtual bool Close(uint32_t timeout_ms) = 0;

protected:
    ~IRunningProduct() = default;
};

// The library's interface object, in the order of its slots; Initialize comes first.
class ToolsInterface : public IProductModule {
public:
    virtual IStringService* GetStringService(int create) = 0;
    virtual IProcessPosting* GetProcessPosting(int create) = 0;
    virtual ITranslator* GetTranslator(int create) = 0;
    virtual ISkinService* GetSkinService(int create) = 0;
    virtual IProductInfo* GetProductInfo(int create) = 0;
    virtual ILogger* GetLogger(int channel) = 0;
    virtual IMessageService* GetMessageService(int create) = 0;
    virtual IMessageDispatcher* GetMessageDispatcher(int create) = 0;
    // Section object for the product's settings group of that name; null when it cannot be had.
    virtual ISettings* OpenSettingsSection(const TLString& section) = 0;
    // Key object for a registry key; root is a predefined key handle (HKEY_LOCAL_MACHINE, ...).
    virtual ISettings* OpenRegistryKey(void* root, const TLString& key_path) = 0;
    virtual ISettingsImport* GetSettingsImport(int create) = 0;
    virtual IRunningProduct* GetRunningProduct(int create) = 0;
    // Told once the product information has been loaded.
    virtual void LoadingComplete() = 0;
    // Told when the installer changed the folders of the process information block.
    virtual void PathsChanged() = 0;
    // Where the logger writes (for people looking for the log).
    virtual TLString GetLogFilePath() = 0;
    // Moves everything of the settings section `from` into the section `to` (made when missing),
    // keeping the values `to` has already, and deletes `from` once all of it arrived. True also when
    // there is no section `from`.
    virtual bool MoveSettingsSection(const TLString& from, const TLString& to) = 0;

protected:
    ~ToolsInterface() = default;
};

}  // namespace tltools
