#include "package/description/package_description.h"

namespace package {
namespace {

// "2.0" and "2" are the one version there is; the full stops go before the number is read.
bool AcceptedVersion(const TLString& version) {
    TLString digits;
    for (char16_t c : version.view())
        if (c != u'.') digits += c;
    if (digits.empty()) return false;
    for (char16_t c : digits.view())
        if (c < u'0' || c > u'9') return false;
    const int number = digits.ToInt();
    return number == 20 || number == 2;
}

// Data of the first element on an absolute path; empty when there is none.
TLString ElementData(TLXMLDocument& document, std::u16string_view path, bool& found) {
    document.ResetPosition();
    found = document.FindElement(path);
    return found ? document.GetData() : TLString();
}

bool NameIs(const TLXMLDocument& document, TLXMLDocument::Element element, std::u16string_view name) {
    return TLString(document.GetElementName(element)).EqualsNoCase(name);
}

// Child elements of that name, in order.
std::vector<TLXMLDocument::Element> Children(const TLXMLDocument& document, TLXMLDocument::Element parent,
                                             std::u16string_view name) {
    std::vector<TLXMLDocument::Element> children;
    for (TLXMLDocument::Element child = document.GetRecord(parent).first_child; child;
         child = document.GetRecord(child).next_sibling)
        if (NameIs(document, child, name)) children.push_back(child);
    return children;
}

TLString ChildData(const TLXMLDocument& document, TLXMLDocument::Element parent, std::u16string_view name) {
    const std::vector<TLXMLDocument::Element> children = Children(document, parent, name);
    return children.empty() ? TLString() : document.GetData(children.front());
}

void ReadXmlEntries(TLXMLDocument& document, std::vector<FileEntry>& entries) {
    document.ResetPosition();
    if (!document.FindElement(u"/*/Actions")) return;
    for (TLXMLDocument::Element entry_element : Children(document, document.GetCurrentElement(), u"FileEntry")) {
        FileEntry entry;
        entry.file = ChildData(document, entry_element, u"File");
        entry.type = ChildData(document, entry_element, u"FileType");
        for (TLXMLDocument::Element action : Children(document, entry_element, u"Action"))
            entry.actions.push_back({ChildData(document, action, u"Command"), ChildData(document, action, u"Param")});
        entries.push_back(std::move(entry));
    }
}

}  // namespace

TLStringArray SplitActionWords(std::u16string_view text) {
    TLStringArray words;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(u'|', start);
        if (end == std::u16string_view::npos) end = text.size();
        std::u16string_view word = text.substr(start, end - start);
        while (!word.empty() && (word.front() == u' ' || word.front() == u'\t')) word.remove_prefix(1);
        while (!word.empty() && (word.back() == u' ' || word.back() == u'\t')) word.remove_suffix(1);
        if (!word.empty()) words.Add(TLString(word));
        start = end + 1;
    }
    return words;
}

bool ReadXmlPackage(TLXMLDocument& document, PackageDescription& description) {
    description = PackageDescription{};
    description.xml_form = true;
    document.SetFlags(document.GetFlags() | TLXMLDocument::kIgnoreCase);
    document.ResetPosition();
    if (!document.FindElement(u"/QVPF") || !AcceptedVersion(document.GetAttribute(u"version"))) return false;
    description.state = kRootAccepted;

    bool found = false;
    description.package_actions = SplitActionWords(ElementData(document, u"/*/Package/Action", found));
    description.name = ElementData(document, u"/*/Package/Name", found);
    if (found) description.state = kNameRead;
    description.url = ElementData(document, u"/*/Package/URL", found);
    if (found) description.state = kUrlRead;
    description.version = ElementData(document, u"/*/Package/Version", found);
    if (found) description.state = kVersionRead;
    description.has_file_actions = ElementData(document, u"/*/Package/HasActions", found) == u"1";
    ReadXmlEntries(document, description.entries);
    return true;
}

void ReadIniPackage(const ProfileValue& value, PackageDescription& description) {
    description = PackageDescription{};
    description.package_actions = SplitActionWords(value(u"Package", u"Action").value_or(TLString()));
    description.action_options = value(u"Package", u"ActionOpt").value_or(TLString());
    for (int number = 1;; ++number) {
        const TLString key = TLString::Format(u"File%d", number);
        std::optional<TLString> file = value(u"Action", key);
        if (!file) break;
        FileEntry entry;
        entry.file = std::move(*file);
        for (int action_number = 1;; ++action_number) {
            const std::optional<TLString> action = value(u"Action", TLString::Format(u"%sAction%d", key, action_number));
            if (!action) break;
            // A command word, a space and the parameter text.
            const size_t space = action->view().find(u' ');
            if (space == std::u16string_view::npos)
                entry.actions.push_back({*action, TLString()});
            else
                entry.actions.push_back({action->Left(space), action->Mid(space + 1)});
        }
        description.entries.push_back(std::move(entry));
    }
    description.has_file_actions = !description.entries.empty();
}

}  // namespace package
