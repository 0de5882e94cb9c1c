#pragma once
// Checks that a document's element index agrees with its text and with itself.

#include <string>
#include <utility>
#include <vector>

#include "core/xml/tl_xml_document.h"

// Every record lies inside the text and inside its parent's content, siblings follow each other in
// the text, parent, child and sibling links agree, the first child's previous-sibling link names the
// last child, and every record is reached exactly once from record 0. Iterative, whatever the depth.
void CheckIndex(const TLXMLDocument& document);

// The elements in document order, each as its name in UTF-8 and its depth (1 for top level).
std::vector<std::pair<std::string, size_t>> ElementsInOrder(const TLXMLDocument& document);
