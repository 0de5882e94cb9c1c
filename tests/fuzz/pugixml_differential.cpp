#include "pugixml_differential.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_require.h"
#include "index_invariants.h"

namespace {

std::vector<std::pair<std::string, size_t>> PugixmlElementsInOrder(const pugi::xml_document& document) {
    std::vector<std::pair<std::string, size_t>> elements;
    std::vector<std::pair<pugi::xml_node, size_t>> pending;  // next node to visit at each open level
    pending.emplace_back(document.first_child(), 1);
    while (!pending.empty()) {
        auto& [node, depth] = pending.back();
        if (!node) {
            pending.pop_back();
            continue;
        }
        const pugi::xml_node visiting = node;
        const size_t visiting_depth = depth;
        node = node.next_sibling();  // advance before `pending` may move
        if (visiting.type() != pugi::node_element) continue;
        elements.emplace_back(visiting.name(), visiting_depth);
        pending.emplace_back(visiting.first_child(), visiting_depth + 1);
    }
    return elements;
}

}  // namespace

void CompareWithPugixml(std::string_view utf8, const TLXMLDocument& document) {
    pugi::xml_document reference;
    const pugi::xml_parse_result result =
        reference.load_buffer(utf8.data(), utf8.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!result || !reference.document_element()) return;
    const auto ours = ElementsInOrder(document);
    const auto theirs = PugixmlElementsInOrder(reference);
    if (ours != theirs) {
        std::fprintf(stderr, "elements here | pugixml:\n");
        for (size_t i = 0; i < std::max(ours.size(), theirs.size()); ++i)
            std::fprintf(stderr, "  %zu %s | %zu %s\n", i < ours.size() ? ours[i].second : 0,
                         i < ours.size() ? ours[i].first.c_str() : "-", i < theirs.size() ? theirs[i].second : 0,
                         i < theirs.size() ? theirs[i].first.c_str() : "-");
    }
    Require(ours == theirs, "the same elements, names and nesting as pugixml");
}
