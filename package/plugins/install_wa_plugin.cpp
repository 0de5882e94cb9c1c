#include "package/plugins/install_wa_plugin.h"

#include <windows.h>

#include "core/path/path_parts.h"
#include "core/tools/product_key.h"
#include "core/tools/tools.h"
#include "package/plugins/plugin_records.h"

namespace package {
namespace {

// The leading fields every input plug-in module shares (Winamp's module and the product's own):
// version, description, two handles the host fills in, then "ext;ext" followed by a zero and the
// description of those files.
struct InputModuleHead {
    int version;
    const char* description;
    HWND main_window;
    HINSTANCE instance;
    const char* extensions;
};
struct DspHeader {
    int version;
    const char* description;
};
using InputModuleEntry = InputModuleHead* (*)();
using DspHeaderEntry = DspHeader* (*)();
using GirderText = void (*)(char* data, int size);

TLString Narrow(const char* text) { return text ? TLString::FromUtf8(text) : TLString(); }

template <typename T>
T Export(HMODULE module, const char* name) {
    return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

TLString GirderString(HMODULE module, const char* name) {
    char text[256] = {};
    if (GirderText ask = Export<GirderText>(module, name)) ask(text, sizeof text - 1);
    return Narrow(text);
}

class LoadedLibrary {
public:
    explicit LoadedLibrary(const TLString& path)
        : module_(LoadLibraryExW(path.wc(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH)) {}
    ~LoadedLibrary() {
        if (module_) FreeLibrary(module_);
    }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;
    HMODULE get() const { return module_; }

private:
    HMODULE module_;
};

}  // namespace

bool CInstallWAPlugin::Refuse(const TLString& message, bool show) {
    tools::Log(u"CInstallWAPlugin", message, tltools::ILogger::kError);
    if (show) {
        tools::Prompt prompt;
        prompt.title = tools::Translate(u"Information");
        prompt.text = message;
        prompts_.Ask(prompt);
    }
    return false;
}

bool CInstallWAPlugin::Register(const TLString& path, bool quiet) {
    PluginFacts facts;
    facts.path = path;
    {
        LoadedLibrary library(path);
        HMODULE module = library.get();
        if (!module) {
            tools::LogFormat(u"CInstallWAPlugin", u"Loading %s failed, error: %d", path, static_cast<int>(GetLastError()));
            return Refuse(TLString::Format(tools::Translate(u"Cannot load plug-in.\r\n\r\n%s"), path), true);
        }
        facts.kind = RecognisePlugin([module](const char* name) { return GetProcAddress(module, name) != nullptr; });
        switch (facts.kind) {
            case PluginKind::kWinampVisualization:
                return Refuse(tools::Translate(u"Winamp 2.x visualization plug-ins are not supported."), true);
            case PluginKind::kUnsupported:
                return Refuse(tools::Translate(u"Unsupported plugin type.  The plugin can not be installed."), true);
            case PluginKind::kInput: {
                InputModuleEntry entry = Export<InputModuleEntry>(module, "winampGetInModule2");
                if (!entry) entry = Export<InputModuleEntry>(module, "GetInputSource");
                const InputModuleHead* head = entry();
                const int version = head ? head->version : 0;
                if (version != kRequiredInputVersion)
                    return Refuse(TLString::Format(tools::Translate(u"The input plugin '%s' is not the correct version."
                                                                    u"\r\n\r\nPlugin version: %d\r\nRequired version: %d"),
                                                   tlpath::NameOf(path), version, kRequiredInputVersion),
                                  !quiet);
                facts.description = Narrow(head->description);
                facts.name = facts.description;
                if (head->extensions) {
                    facts.extensions = Narrow(head->extensions);
                    facts.file_description = Narrow(head->extensions + strlen(head->extensions) + 1);
                }
                break;
            }
            case PluginKind::kWinampDsp: {
                const DspHeader* header = Export<DspHeaderEntry>(module, "winampDSPGetHeader2")();
                facts.description = header ? Narrow(header->description) : TLString();
                facts.name = facts.description.empty() ? tlpath::NameOf(path) : facts.description;
                break;
            }
            case PluginKind::kVstEffect: {
                // The effect is named after its library: naming it otherwise would mean hosting it.
                facts.name = tlpath::NameOf(path);
                const size_t dot = facts.name.ReverseFind(u'.');
                if (dot != TLString::npos && dot > 0) facts.name = facts.name.Left(dot);
                break;
            }
            case PluginKind::kGirder:
                facts.name = GirderString(module, "gir_name");
                facts.version = GirderString(module, "gir_version");
                if (facts.name.empty()) facts.name = tlpath::NameOf(path);
                break;
        }
    }
    const std::vector<PluginRecord> records = PluginRecords(facts);
    if (records.empty()) return Refuse(tools::Translate(u"Unsupported plugin type.  The plugin can not be installed."), true);
    for (const PluginRecord& record : records) {
        const TLString key = tools::ProductSettingsKey() + record.section;
        tools::Settings section = tools::OpenSettingsSection(record.section);
        for (const TLString& name : record.deleted) {
            notes_.NoteRegistryValue(HKEY_CURRENT_USER, key, name);
            section.DeleteValue(name);
        }
        for (const RecordValue& value : record.values) {
            notes_.NoteRegistryValue(HKEY_CURRENT_USER, key, value.name);
            if (value.is_integer) section.SetInteger(value.name, value.number);
            else section.SetString(value.name, value.text);
        }
    }
    tools::LogFormat(u"CInstallWAPlugin", u"Registered plug-in %s", path);
    if (tltools::IProcessPosting* posting = tools::Interface() ? tools::Interface()->GetProcessPosting(1) : nullptr)
        posting->PostCommandLine(u"/ReloadPlugins");
    return true;
}

}  // namespace package
