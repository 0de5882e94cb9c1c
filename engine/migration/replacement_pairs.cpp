#include "engine/migration/replacement_pairs.h"

namespace engine::migration {
namespace {

TLString WithoutBackslash(TLString folder) {
    folder.RemoveTrailingBackslashes();
    return folder;
}

void ReplaceNoCase(TLString& text, const TLString& old_text, const TLString& new_text) {
    if (old_text.empty()) return;
    for (size_t at = text.FindNoCase(old_text.view()); at != TLString::npos;
         at = text.FindNoCase(old_text.view(), at + new_text.length())) {
        text.Erase(at, old_text.length());
        text.Insert(at, new_text.view());
    }
}

}  // namespace

void ReplacementPairs::AddName(const TLString& old_text, const TLString& new_text) {
    if (!old_text.empty()) names_.emplace_back(old_text, new_text);
}

void ReplacementPairs::AddFolder(const TLString& old_folder, const TLString& new_folder) {
    TLString old_text = WithoutBackslash(old_folder);
    TLString new_text = WithoutBackslash(new_folder);
    // A drive's root ("D:\") would turn every path on that drive into one below the destination.
    if (old_text.length() > 2 && !old_text.EqualsNoCase(new_text.view())) folders_.emplace_back(old_text, new_text);
}

TLString ReplacementPairs::Apply(const TLString& text) const {
    TLString result = text;
    for (const auto& [old_folder, new_folder] : folders_) ReplaceNoCase(result, old_folder, new_folder);
    for (const auto& [old_text, new_text] : names_) result.Replace(old_text.view(), new_text.view());
    return result;
}

}  // namespace engine::migration
