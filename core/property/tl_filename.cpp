#include "tl_filename.h"

#include "core/property/tl_path_predicates.h"
#include "core/xml/tl_xml_document.h"

namespace {

constexpr std::u16string_view kFilenameItem = u"Filename";

// Escaping of the file-name form: the four markup characters, and control characters as character
// references so that they survive the trip (the apostrophe stays).
TLString EscapeForFilename(std::u16string_view text) {
    TLString out;
    size_t plain = 0;  // start of the run of characters that need no escaping
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const char16_t* replacement = c == u'&'   ? u"&amp;"
                                      : c == u'<' ? u"&lt;"
                                      : c == u'>' ? u"&gt;"
                                      : c == u'"' ? u"&quot;"
                                                  : nullptr;
        const bool control = c < 32 && c != u'\t' && c != u'\n' && c != u'\r';
        if (!replacement && !control) continue;
        if (plain == 0) out.Reserve(text.size() + text.size() / 4 + 8);
        out += text.substr(plain, i - plain);
        plain = i + 1;
        if (replacement)
            out += replacement;
        else
            out += TLString::Format(u"&#x%X;", static_cast<unsigned>(c));
    }
    if (plain == 0) return TLString(text);
    out += text.substr(plain);
    return out;
}

}  // namespace

void TLFilename::Parse(const TLString& text, bool clear_properties) {
    if (clear_properties) properties_.Clear();
    if (IsXMLFilename(text))
        ParseXML(text);
    else
        ParseSuffixForm(text);
}

void TLFilename::ParseXML(const TLString& text) {
    filename_.Clear();
    TLXMLDocument document(TLXMLDocument::kIgnoreCase);
    document.SetDocument(text);
    if (!document.FindElement(u"XMLFN") || document.GetAttribute(u"version") != u"1.0") return;
    if (!document.IntoElement()) return;
    while (document.FindElement(u"Item")) {
        const TLString name = document.GetAttribute(u"Name");
        if (name.EqualsNoCase(kFilenameItem))
            filename_ = document.GetData();
        else
            properties_.SetString(name, document.GetData());
    }
}

void TLFilename::ParseSuffixForm(const TLString& text) {
    filename_ = text;
    if (text.Find(u"://") != TLString::npos || text.Last() == u'\\') return;
    const size_t semicolon = text.ReverseFind(u';');
    const size_t full_stop = text.ReverseFind(u'.');
    if (semicolon == TLString::npos || full_stop == TLString::npos || full_stop > semicolon) return;
    const size_t extension_length = semicolon - full_stop - 1;
    if (extension_length < 1 || extension_length > 5) return;
    properties_.SetString(u"PostExtensionData", text.Mid(semicolon + 1));
    filename_ = text.Left(semicolon);
}

TLString TLFilename::Compose() const {
    if (properties_.IsEmpty()) return filename_;
    TLString text = u"<XMLFN version=\"1.0\"><Item Name=\"Filename\">" + EscapeForFilename(filename_) + u"</Item>";
    properties_.ForEach([&text](const TLString& name, const TLString& value) {
        // The name is escaped too: a quote or markup character in it would otherwise cut the form apart.
        text += u"<Item Name=\"" + EscapeForFilename(name) + u"\">" + EscapeForFilename(value) + u"</Item>";
    });
    return text + u"</XMLFN>";
}
