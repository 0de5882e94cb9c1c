#include "product/tltools/product_info.h"

#include "core/xml/file_text.h"
#include "product/tltools/process_folders.h"

namespace tltools_dll {

bool CProductInfo::Load(const TLString& path, TLString* error_text) {
    const TLString file = path.empty() ? ProgramFolder() + kFileName : path;
    TLString text;
    if (!tlxml::ReadTextFile(file, text)) {
        if (error_text) *error_text = TLString::Format(u"The product information file \"%s\" cannot be read.", file);
        return false;
    }
    auto document = std::make_unique<TLXMLDocument>();
    if (!document->SetDocument(text) || !document->FindElement(u"/TLProduct")) {
        if (error_text)
            *error_text =
                TLString::Format(u"The product information file \"%s\" is not valid: %s", file,
                                 document->GetError().empty() ? TLString(u"no TLProduct root") : document->GetError());
        return false;
    }
    document_ = std::move(document);
    return true;
}

bool CProductInfo::Find(std::u16string_view path) {
    if (!document_) return false;
    document_->ResetPosition();
    return document_->FindElement(path);
}

TLString CProductInfo::GetString(const TLString& path, const TLString& fallback) {
    if (!Find(path)) return fallback;
    const TLString data = document_->GetData();
    return data.empty() ? fallback : data;
}

int64_t CProductInfo::GetInteger(const TLString& path, int64_t fallback) {
    const TLString text = GetString(path, TLString());
    return text.empty() ? fallback : text.ToInt64();
}

TLString CProductInfo::NumberedData(std::u16string_view list_path, std::u16string_view name, int number) {
    // Path predicates do not compare attribute values, so the numbers are compared here.
    const TLString wanted = TLString::Format(u"%d", number);
    for (bool found = Find(list_path); found; found = document_->FindElement(name)) {
        if (document_->GetAttribute(u"number") == wanted) return document_->GetData();
    }
    return TLString();
}

TLString CProductInfo::GetItem(int number) { return NumberedData(u"/*/Items/Item", u"Item", number); }

TLString CProductInfo::ProgramAttribute(std::u16string_view name) {
    return Find(u"/*/Program") ? document_->GetAttribute(name) : TLString();
}

TLString CProductInfo::GetVersionText() { return ProgramAttribute(u"version"); }
TLString CProductInfo::GetMainProgramFileName() { return ProgramAttribute(u"file"); }
TLString CProductInfo::GetLauncherFileName() { return ProgramAttribute(u"launcher"); }
TLString CProductInfo::GetStartMenuFolder() { return ProgramAttribute(u"startmenu"); }
TLString CProductInfo::GetWebAddress() { return ProgramAttribute(u"web"); }

TLString CProductInfo::GetLauncherPath() {
    const TLString launcher = GetLauncherFileName();
    TLString folder = InstallFolder();
    if (launcher.empty() || folder.empty()) return TLString();
    return folder.EnsureTrailingBackslash() + launcher;
}

TLString CProductInfo::GetMimeTypes() { return GetString(u"/*/MimeTypes", TLString()); }
TLString CProductInfo::GetUrlProtocols() { return GetString(u"/*/UrlProtocols", TLString()); }

bool CProductInfo::Query(int feature) {
    return NumberedData(u"/*/Features/Feature", u"Feature", feature).EqualsNoCase(u"yes");
}

}  // namespace tltools_dll
