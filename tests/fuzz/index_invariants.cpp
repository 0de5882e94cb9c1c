#include "index_invariants.h"

#include "fuzz_require.h"

void CheckIndex(const TLXMLDocument& document) {
    using Element = TLXMLDocument::Element;
    const std::u16string_view text = document.GetDocument().view();
    const uint32_t count = document.GetElementCount();
    std::vector<bool> reached(static_cast<size_t>(count) + 1);
    std::vector<Element> pending{0};
    reached[0] = true;
    size_t reached_count = 1;
    while (!pending.empty()) {
        const Element element = pending.back();
        pending.pop_back();
        const TLXMLDocument::Record record = document.GetRecord(element);
        size_t content_start = 0, content_end = text.size();
        if (element != 0) {
            Require(record.start < text.size() && record.length <= text.size() - record.start,
                    "record inside the text");
            Require(text[record.start] == u'<', "record starts at a '<'");
            Require(static_cast<size_t>(record.start_tag_length) + record.end_tag_length <= record.length,
                    "tags inside the record");
            Require(record.start_tag_length >= 2, "start tag holds at least '<' and a name");
            const std::u16string_view name = document.GetElementName(element);
            Require(!name.empty() && text.substr(record.start + 1, name.size()) == name, "name follows the '<'");
            content_start = record.start + record.start_tag_length;
            content_end = static_cast<size_t>(record.start) + record.length - record.end_tag_length;
        }
        Element last = 0;
        size_t previous_end = content_start;
        for (Element child = record.first_child; child != 0;) {
            Require(child <= count, "child link names a record");
            Require(!reached[child], "every record is reached once");
            reached[child] = true;
            ++reached_count;
            const TLXMLDocument::Record child_record = document.GetRecord(child);
            Require(child_record.parent == element, "child's parent link");
            if (last != 0) Require(child_record.previous_sibling == last, "previous-sibling link");
            Require(child_record.start >= previous_end, "siblings in text order");
            Require(static_cast<size_t>(child_record.start) + child_record.length <= content_end,
                    "child inside its parent's content");
            previous_end = static_cast<size_t>(child_record.start) + child_record.length;
            pending.push_back(child);
            last = child;
            child = child_record.next_sibling;
        }
        if (record.first_child != 0)
            Require(document.GetRecord(record.first_child).previous_sibling == last, "first child links the last");
    }
    Require(reached_count == static_cast<size_t>(count) + 1, "no record outside the tree");
}

std::vector<std::pair<std::string, size_t>> ElementsInOrder(const TLXMLDocument& document) {
    using Element = TLXMLDocument::Element;
    std::vector<std::pair<std::string, size_t>> elements;
    std::vector<std::pair<Element, size_t>> pending;  // next element to visit at each open level
    pending.emplace_back(document.GetRecord(0).first_child, 1);
    while (!pending.empty()) {
        auto& [element, depth] = pending.back();
        if (element == 0) {
            pending.pop_back();
            continue;
        }
        const Element visiting = element;
        const size_t visiting_depth = depth;
        const TLXMLDocument::Record record = document.GetRecord(visiting);
        element = record.next_sibling;  // reference into `pending`: advance before it may move
        elements.emplace_back(TLString(document.GetElementName(visiting)).ToUtf8(), visiting_depth);
        pending.emplace_back(record.first_child, visiting_depth + 1);
    }
    return elements;
}
