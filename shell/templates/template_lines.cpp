#include "shell/templates/template_lines.h"

#include <array>
#include <utility>

namespace shell {
namespace {

constexpr char16_t kCustomArt[] = u"[CUSTOMART]";
constexpr char16_t kAutoPlayKey[] = u"[AUTOPLAYKEY]";

void ResolveArt(TLString& line, const ArtLookup& art) {
    constexpr size_t kLength = std::size(kCustomArt) - 1;
    for (size_t at = line.Find(kCustomArt); at != TLString::npos; at = line.Find(kCustomArt, at)) {
        size_t end = line.Find(u'"', at);
        if (end == TLString::npos) end = line.length();
        const TLString name = line.Mid(at + kLength, end - at - kLength);
        const TLString path = art ? art(name) : name;
        line.Erase(at, end - at);
        line.Insert(at, path);
        at += path.length();
    }
}

// The fields of a line split at "|"; more or fewer than five make no value.
bool SplitFields(const TLString& line, std::array<TLString, 5>& fields) {
    size_t start = 0;
    for (size_t index = 0; index < fields.size(); ++index) {
        const size_t bar = line.Find(u'|', start);
        const bool last = index + 1 == fields.size();
        if ((bar == TLString::npos) != last) return false;
        fields[index] = line.Mid(start, last ? TLString::npos : bar - start);
        start = bar + 1;
    }
    return true;
}

bool RootLine(const TLString& line, RegistryRoot& root) {
    static constexpr std::pair<const char16_t*, RegistryRoot> kRoots[] = {
        {u"HKEY_CLASSES_ROOT", RegistryRoot::kClassesRoot},
        {u"HKEY_CURRENT_USER", RegistryRoot::kCurrentUser},
        {u"HKEY_LOCAL_MACHINE", RegistryRoot::kLocalMachine},
    };
    for (const auto& [name, value] : kRoots)
        if (line == name) {
            root = value;
            return true;
        }
    return false;
}

}  // namespace

TLString ExpandTemplateLine(const TLString& line, const TemplatePlaceholders& placeholders, const ArtLookup& art) {
    const std::pair<const char16_t*, const TLString*> replacements[] = {
        {kAutoPlayKey, nullptr},
        {u"[INSTALLDIR]", &placeholders.install_folder},
        {u"[SYSTEMDIR]", &placeholders.system_folder},
        {u"[CURRENTDIR]", &placeholders.current_folder},
        {u"[PRODUCTNAME]", &placeholders.product_name},
        {u"[PRODUCTWITHVERSION]", &placeholders.product_with_version},
        {u"[EXEPATH]", &placeholders.exe_path},
        {u"[LAUNCHERPATH]", &placeholders.launcher_path},
        {u"[LAUNCHERNAME]", &placeholders.launcher_name},
    };
    TLString expanded = line;
    for (const auto& [placeholder, value] : replacements)
        expanded.Replace(placeholder, value ? value->view()
                                            : u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers\\");
    ResolveArt(expanded, art);
    return expanded;
}

std::vector<TemplateValue> PlanTemplateLines(const TLStringArray& lines, const TemplatePlaceholders& placeholders,
                                             const ArtLookup& art, bool wow64_process) {
    std::vector<TemplateValue> values;
    RegistryRoot root = RegistryRoot::kClassesRoot;
    std::array<TLString, 5> fields;
    for (const TLString& line : lines) {
        if (line.empty() || RootLine(line, root)) continue;
        if (!SplitFields(ExpandTemplateLine(line, placeholders, art), fields)) continue;
        TemplateValue value;
        value.root = root;
        value.key = fields[0];
        if (fields[1] != u"Default") value.name = fields[1];
        value.is_dword = fields[3] != u"STRING";
        if (value.is_dword)
            value.number = static_cast<uint32_t>(fields[2].ToInt64());
        else
            value.text = fields[2];
        if (fields[4] == u"DELETE")
            value.action = TemplateAction::kDelete;
        else if (fields[4] == u"CREATE")
            value.action = TemplateAction::kCreate;
        value.also_64bit_view = wow64_process && line.Find(kAutoPlayKey) != TLString::npos;
        values.push_back(std::move(value));
    }
    return values;
}

}  // namespace shell
