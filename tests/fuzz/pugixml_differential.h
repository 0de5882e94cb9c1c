#pragma once
// The differential check: a document that both pugixml and this parser accept as well formed must
// show the same elements, with the same names and nesting, in both.

#include <string_view>

#include "core/xml/tl_xml_document.h"

// `utf8` is the document's text as UTF-8, `document` the same text parsed here.
void CompareWithPugixml(std::string_view utf8, const TLXMLDocument& document);
