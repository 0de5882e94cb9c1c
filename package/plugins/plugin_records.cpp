#include "package/plugins/plugin_records.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/path/path_parts.h"

namespace package {
namespace {

constexpr std::array<const char*, 12> kGirderExports = {
    "gir_open",    "gir_close",       "gir_start",         "gir_stop",      "gir_config",    "gir_info",
    "gir_name",    "gir_description", "gir_version",       "gir_requested_api", "gir_devicenum", "gir_compare"};

RecordValue Text(std::u16string_view name, const TLString& text) { return {TLString(name), text}; }
RecordValue Integer(std::u16string_view name, int64_t number) { return {TLString(name), {}, true, number}; }

// A name taken from a plug-in becomes one section name: no backslash may open a deeper section.
TLString SectionName(TLString name) {
    name.Replace(u"\\", u"_");
    name.Trim();
    return name;
}

std::vector<TLString> Extensions(const TLString& list) {
    std::vector<TLString> extensions;
    size_t start = 0;
    while (start <= list.length()) {
        size_t end = list.Find(u';', start);
        if (end == TLString::npos) end = list.length();
        TLString extension = SectionName(list.Mid(start, end - start));
        while (extension.StartsWith(u"*") || extension.StartsWith(u".")) extension = extension.Mid(1);
        if (!extension.empty()) extensions.push_back(extension);
        start = end + 1;
    }
    return extensions;
}

}  // namespace

PluginKind RecognisePlugin(const std::function<bool(const char*)>& has_export) {
    if (has_export("winampVisGetHeader")) return PluginKind::kWinampVisualization;
    if (has_export("winampDSPGetHeader2")) return PluginKind::kWinampDsp;
    if (has_export("winampGetInModule2") || has_export("GetInputSource")) return PluginKind::kInput;
    if (has_export("VSTPluginMain") || has_export("main") ||
        (has_export("GetPluginFactory") && has_export("InitDll") && has_export("ExitDll")))
        return PluginKind::kVstEffect;
    if (std::all_of(kGirderExports.begin(), kGirderExports.end(), has_export)) return PluginKind::kGirder;
    return PluginKind::kUnsupported;
}

std::vector<PluginRecord> PluginRecords(const PluginFacts& facts) {
    std::vector<PluginRecord> records;
    const TLString name = SectionName(facts.name);
    switch (facts.kind) {
        case PluginKind::kInput:
            for (const TLString& extension : Extensions(facts.extensions))
                records.push_back({u"Plugins\\Input\\" + extension,
                                   {Text(u"Path", facts.path), Text(u"Plugin Description", facts.description),
                                    Text(u"File Description", facts.file_description),
                                    Text(u"Name", facts.name.empty() ? TLString(u"Unknown input plug-in") : facts.name),
                                    Integer(u"IVersion", kRequiredInputVersion)},
                                   {u"strPath"}});
            break;
        case PluginKind::kWinampDsp:
            if (!name.empty())
                records.push_back({u"Plugins\\DSP\\" + name,
                                   {Text(u"Path", facts.path), Text(u"Description", facts.description),
                                    Integer(u"IVersion", 1)}});
            break;
        case PluginKind::kVstEffect:
            if (!name.empty())
                records.push_back({u"Plugins\\DSP\\" + name,
                                   {Text(u"Path", facts.path),
                                    Text(u"Description", TLString::Format(u"%s (VST Plugin)", facts.name)),
                                    Integer(u"IVersion", 1)}});
            break;
        case PluginKind::kGirder:
            if (!name.empty())
                records.push_back({u"Plugins\\RemoteControl\\" + name,
                                   {Integer(u"GirderPlugin", 1), Integer(u"IVersion", 2), Text(u"Company", u"Girder"),
                                    Text(u"Version", facts.version), Text(u"URL", kGirderUrl),
                                    Text(u"Copyright", u"Plugin Author"), Text(u"Filename", facts.path),
                                    Integer(u"Configurable", 1)}});
            break;
        case PluginKind::kWinampVisualization:
        case PluginKind::kUnsupported: break;
    }
    if (records.empty()) return records;
    TLString sections;
    for (const PluginRecord& record : records) sections += (sections.empty() ? TLString() : TLString(u"|")) + record.section;
    records.push_back({u"Plugins\\Uninstall\\" + SectionName(tlpath::NameOf(facts.path)),
                       {Text(u"Path", facts.path), Text(u"Sections", sections)}});
    return records;
}

}  // namespace package
