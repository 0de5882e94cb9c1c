#include "pugixml_differential.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_require.h"
#include "index_invariants.h"

namespace {

// pugixml's memory comes from one block used again for every document: the check is of this parser,
// so pugixml's allocations need not pass through the sanitizers, which would make them the costliest
// part of a small input. What does not fit comes from the heap.
class Arena {
public:
    static void* Allocate(size_t size) {
        size = (size + kAlignment - 1) / kAlignment * kAlignment;
        if (size > kSize - used_) return std::malloc(size);
        void* memory = block_ + used_;
        used_ += size;
        return memory;
    }
    static void Deallocate(void* memory) {
        if (memory < static_cast<void*>(block_) || memory >= static_cast<void*>(block_ + kSize)) std::free(memory);
    }
    // Once the document that used the block is gone.
    static void Reset() { used_ = 0; }

private:
    static constexpr size_t kAlignment = alignof(std::max_align_t);
    static constexpr size_t kSize = 1 << 20;
    alignas(kAlignment) static inline unsigned char block_[kSize];
    static inline size_t used_ = 0;
};

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
    static const bool arena = (pugi::set_memory_management_functions(Arena::Allocate, Arena::Deallocate), true);
    (void)arena;
    Arena::Reset();
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
