#pragma once
// Checks of an XML document's index shared by the XML tests: the links agree with each other, every
// record lies inside the text, and a readable outline of the element tree.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/xml/tl_xml_document.h"

namespace tltest {

// Every element is reached exactly once from record 0 through first-child and next-sibling links; its
// parent link names the element it was reached from; previous-sibling links run backwards, the first
// child's naming the last child; records lie inside the text and children inside their parent.
inline void ExpectIndexConsistent(const TLXMLDocument& doc) {
    using Element = TLXMLDocument::Element;
    const uint32_t text_length = static_cast<uint32_t>(doc.GetDocument().length());
    std::vector<bool> seen(doc.GetElementCount() + 1, false);
    std::vector<Element> pending{0};
    seen[0] = true;
    while (!pending.empty()) {
        const Element parent = pending.back();
        pending.pop_back();
        const TLXMLDocument::Record p = doc.GetRecord(parent);
        ASSERT_LE(uint64_t{p.start} + p.length, text_length) << "element " << parent;
        ASSERT_LE(uint64_t{p.start_tag_length} + p.end_tag_length, p.length) << "element " << parent;
        Element previous = 0, last = 0;
        for (Element c = p.first_child; c; c = doc.GetRecord(c).next_sibling) {
            ASSERT_TRUE(doc.IsValidElement(c));
            ASSERT_FALSE(seen[c]) << "element " << c << " reached twice";
            seen[c] = true;
            const TLXMLDocument::Record r = doc.GetRecord(c);
            EXPECT_EQ(r.parent, parent) << "element " << c;
            if (previous) {
                EXPECT_EQ(r.previous_sibling, previous) << "element " << c;
            }
            if (previous) {
                EXPECT_GE(r.start, doc.GetRecord(previous).start + doc.GetRecord(previous).length);
            }
            if (parent) {
                EXPECT_GE(r.start, p.start + p.start_tag_length) << "element " << c;
                EXPECT_LE(r.start + r.length, p.start + p.length - p.end_tag_length) << "element " << c;
            }
            pending.push_back(c);
            previous = last = c;
        }
        if (p.first_child) {
            EXPECT_EQ(doc.GetRecord(p.first_child).previous_sibling, last) << "parent " << parent;
        }
    }
    for (Element e = 0; e <= doc.GetElementCount(); ++e) EXPECT_TRUE(seen[e]) << "element " << e << " unreachable";
}

// The element tree as "a(b,c(d))".
inline std::string Outline(const TLXMLDocument& doc, TLXMLDocument::Element parent = 0) {
    std::string out;
    struct Frame {
        TLXMLDocument::Element next;
    };
    std::vector<Frame> stack{{doc.GetRecord(parent).first_child}};
    while (!stack.empty()) {
        const TLXMLDocument::Element e = stack.back().next;
        if (!e) {
            stack.pop_back();
            if (!stack.empty()) out += ')';
            continue;
        }
        stack.back().next = doc.GetRecord(e).next_sibling;
        if (!out.empty() && out.back() != '(') out += ',';
        out += TLString(doc.GetElementName(e)).ToUtf8();
        if (doc.GetRecord(e).first_child) {
            out += '(';
            stack.push_back({doc.GetRecord(e).first_child});
        }
    }
    return out;
}

}  // namespace tltest
