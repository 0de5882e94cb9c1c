#include "product/tltools/translator.h"

#include <windows.h>

#include "core/xml/file_text.h"
#include "product/tltools/process_folders.h"
#include "product/tltools/registry_settings.h"

namespace tltools_dll {
namespace {

constexpr char16_t kEnglish[] = u"English";

TLString Unescape(const TLString& text) {
    TLString result;
    for (size_t i = 0; i < text.length(); ++i) {
        const char16_t c = text[i];
        if (c != u'\\' || i + 1 == text.length()) {
            result += c;
            continue;
        }
        const char16_t next = text[++i];
        result += next == u'r' ? u'\r' : next == u'n' ? u'\n' : next == u't' ? u'\t' : next;
    }
    return result;
}

TLString LanguagesFolder() { return ProgramFolder() + u"Languages\\"; }

TLStringArray AvailableLanguages() {
    TLStringArray languages;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((LanguagesFolder() + u"*.lng").wc(), &data);
    if (find == INVALID_HANDLE_VALUE) return languages;
    do {
        TLString name(reinterpret_cast<const char16_t*>(data.cFileName));
        if (!name.EndsWithNoCase(u".lng")) continue;
        languages.Add(name.Left(name.length() - 4));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return languages;
}

TLString StoredLanguage() {
    CRegistrySettings* properties = CRegistrySettings::OpenSection(u"Properties");
    if (!properties) return TLString(kEnglish);
    const TLString language = properties->GetString(u"Language", TLString(kEnglish));
    properties->Release();
    return language;
}

}  // namespace

void CTranslator::Reload() {
    loaded_ = false;
    EnsureLoaded();
}

void CTranslator::EnsureLoaded() {
    if (loaded_) return;
    loaded_ = true;
    table_.clear();
    language_ = StoredLanguage();
    TLString text;
    if (!tlxml::ReadTextFile(LanguagesFolder() + language_ + u".lng", text)) {
        language_ = kEnglish;
        return;
    }
    size_t start = 0;
    while (start < text.length()) {
        size_t end = text.Find(u'\n', start);
        if (end == TLString::npos) end = text.length();
        TLString line = text.Mid(start, end - start);
        start = end + 1;
        if (line.Last() == u'\r') line.Truncate(line.length() - 1);
        const size_t tab = line.Find(u'\t');
        if (line.empty() || line[0] == u'#' || tab == TLString::npos) continue;
        table_[Unescape(line.Left(tab))] = Unescape(line.Mid(tab + 1));
    }
}

void CTranslator::Translate(TLString& text) {
    EnsureLoaded();
    const auto found = table_.find(text);
    if (found != table_.end()) text = found->second;
}

TLString CTranslator::CurrentLanguage() {
    EnsureLoaded();
    return language_;
}

bool CTranslator::ShowLanguageSelection(void* owner_window) {
    const TLStringArray languages = AvailableLanguages();
    if (languages.GetCount() < 2 || !messages_) return false;
    TLString title(u"Language");
    TLString question(u"Please choose the language of the installation.");
    Translate(title);
    Translate(question);
    const int answer = messages_->Show(owner_window, title, question, 0, &languages);
    const int index = answer - tltools::IMessageService::kResultFirstNamed;
    if (index < 0 || index >= static_cast<int>(languages.GetCount())) return false;
    CRegistrySettings* properties = CRegistrySettings::OpenSection(u"Properties");
    if (!properties) return false;
    properties->SetString(u"Language", languages[index], tltools::ISettings::kPlainString);
    properties->Release();
    Reload();
    return true;
}

}  // namespace tltools_dll
