#pragma once
// The translator: language files "Languages\<Language>.lng" in the program folder, UTF-8 text with
// one entry per line, the English text and its translation separated by a tab; "\r", "\n", "\t" and
// "\\" stand for themselves escaped, lines starting with "#" are comments. The user's language is
// the string "Language" of the settings section "Properties" (English when absent).

#include <map>

#include "core/tools/tools_interface.h"

namespace tltools_dll {

class CTranslator final : public tltools::ITranslator {
public:
    void Translate(TLString& text) override;
    TLString CurrentLanguage() override;
    bool ShowLanguageSelection(void* owner_window) override;

    // Where the language selection shows its question.
    void SetMessageService(tltools::IMessageService* service) { messages_ = service; }
    // Reads the language the user chose again (after the selection or a settings change).
    void Reload();

private:
    void EnsureLoaded();

    bool loaded_ = false;
    TLString language_;
    std::map<TLString, TLString> table_;
    tltools::IMessageService* messages_ = nullptr;
};

}  // namespace tltools_dll
