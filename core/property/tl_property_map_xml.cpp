// The property-holder form of TLPropertyMap: <XMLPH version="1.0"> with one Item element per entry.

#include "core/property/tl_number_text.h"
#include "core/property/tl_property_map.h"
#include "core/xml/tl_xml_document.h"

TLString TLPropertyMap::ToXML(const TLString& root_name, bool skip_if_empty, double version) const {
    if (skip_if_empty && IsEmpty()) return TLString();
    TLXMLDocument document(TLXMLDocument::kIgnoreCase);
    WriteItems(document);
    return TLString::Format(u"<%s version=\"%.1f\">\r\n", root_name, version) + document.GetDocument() + u"</" +
           root_name + u">";
}

bool TLPropertyMap::FromXML(const TLString& text, const TLString& root_name, double version) {
    Clear();
    if (text.empty()) return true;
    TLXMLDocument document(TLXMLDocument::kIgnoreCase);
    document.SetDocument(text);
    // A lenient read: an ill-formed text still gives the items the parser recognised.
    if (!document.FindElement(root_name)) return false;
    if (tlnumber::ParseDouble(document.GetAttribute(u"version")) != version) return false;
    ReadItems(document);
    return true;
}

void TLPropertyMap::WriteItems(TLXMLDocument& document) const {
    ForEach([&document](const TLString& name, const TLString& value) {
        document.AddElement(u"Item", value);
        document.SetAttribute(u"Name", name);
    });
}

void TLPropertyMap::ReadItems(TLXMLDocument& document) {
    Clear();
    if (!document.IntoElement()) return;
    while (document.FindElement(u"Item")) SetString(document.GetAttribute(u"Name"), document.GetData());
    document.OutOfElement();
}
