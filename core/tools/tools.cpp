#include "core/tools/tools.h"

namespace tools {
namespace {
tltools::ToolsInterface* g_tools = nullptr;
ILogCopy* g_log_copy = nullptr;
}  // namespace

tltools::ToolsInterface* Interface() { return g_tools; }
void SetInterface(tltools::ToolsInterface* tools) { g_tools = tools; }

TLString Translate(const TLString& text) {
    TLString result = text;
    if (text.empty() || !g_tools) return result;
    if (tltools::ITranslator* translator = g_tools->GetTranslator(1)) translator->Translate(result);
    return result;
}

void SetLogCopy(ILogCopy* copy) { g_log_copy = copy; }

bool Logging() { return g_tools || g_log_copy; }

void Log(std::u16string_view function, const TLString& text, int kind) {
    if (g_log_copy) g_log_copy->Write(kind, function, text);
    if (!g_tools) return;
    if (tltools::ILogger* logger = g_tools->GetLogger(0)) logger->Log(kind, TLString(function), text);
}

tltools::IProductInfo* ProductInfo() { return g_tools ? g_tools->GetProductInfo(0) : nullptr; }

TLString ProductString(const TLString& path, const TLString& fallback) {
    tltools::IProductInfo* info = ProductInfo();
    return info ? info->GetString(path, fallback) : fallback;
}

int64_t ProductInteger(const TLString& path, int64_t fallback) {
    tltools::IProductInfo* info = ProductInfo();
    return info ? info->GetInteger(path, fallback) : fallback;
}

TLString ProductItem(int number) {
    tltools::IProductInfo* info = ProductInfo();
    return info ? info->GetItem(number) : TLString();
}

TLString LauncherFileName() {
    tltools::IProductInfo* info = ProductInfo();
    return info ? info->GetLauncherFileName() : TLString();
}

TLString MainProgramFileName() {
    tltools::IProductInfo* info = ProductInfo();
    return info ? info->GetMainProgramFileName() : TLString();
}

bool ProductFeature(int number) {
    tltools::IProductInfo* info = ProductInfo();
    return info && info->Query(number);
}

Settings::~Settings() {
    if (settings_) settings_->Release();
}

int64_t Settings::GetInteger(const TLString& name, int64_t fallback) const {
    return settings_ ? settings_->GetInteger(name, fallback) : fallback;
}

TLString Settings::GetString(const TLString& name, const TLString& fallback) const {
    return settings_ ? settings_->GetString(name, fallback) : fallback;
}

bool Settings::SetInteger(const TLString& name, int64_t value) {
    return settings_ && settings_->SetInteger(name, value);
}
bool Settings::SetString(const TLString& name, const TLString& value, int type) {
    return settings_ && settings_->SetString(name, value, type);
}
bool Settings::DeleteValue(const TLString& name) { return settings_ && settings_->DeleteValue(name); }
TLStringArray Settings::SubsectionNames() const { return settings_ ? settings_->SubsectionNames() : TLStringArray(); }
TLStringArray Settings::ValueNames() const { return settings_ ? settings_->ValueNames() : TLStringArray(); }
bool Settings::DeleteSubsection(const TLString& name) { return settings_ && settings_->DeleteSubsection(name); }

Settings OpenSettingsSection(const TLString& section) {
    return Settings(g_tools ? g_tools->OpenSettingsSection(section) : nullptr);
}

// Opening a section makes it, so a section is looked for among its parent's before it is opened; the
// product's own group (the empty name) always counts as there.
Settings OpenExistingSettingsSection(const TLString& section) {
    if (section.empty()) return OpenSettingsSection(section);
    const size_t cut = section.ReverseFind(u'\\');
    const TLString parent_name = cut == TLString::npos ? TLString() : section.Left(cut);
    const TLString name = cut == TLString::npos ? section : section.Mid(cut + 1);
    const Settings parent = OpenExistingSettingsSection(parent_name);
    for (const TLString& subsection : parent.SubsectionNames())
        if (subsection.EqualsNoCase(name)) return OpenSettingsSection(section);
    return Settings();
}

bool MoveSettingsSection(const TLString& from, const TLString& to) {
    return g_tools && g_tools->MoveSettingsSection(from, to);
}

Settings OpenRegistryKey(void* root, const TLString& key_path) {
    return Settings(g_tools ? g_tools->OpenRegistryKey(root, key_path) : nullptr);
}

}  // namespace tools
