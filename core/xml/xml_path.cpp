// Path search: "//name", "/a/b", "a/b", "*" and one predicate per step ("[n]", "[@attribute]",
// "[child]"). Candidates are tried in sibling order and a matched step descends into its children;
// there is no backtracking into an earlier step's later siblings. Every walk is a loop over the links.

#include "core/xml/tl_xml_document.h"
#include "core/xml/xml_scan.h"

using namespace tlxml_scan;

class TLXMLDocument::PathSearch {
public:
    PathSearch(const TLXMLDocument& doc, std::u16string_view path) : doc_(doc), path_(path) {}

    // The element the path finds, or 0.
    Element Run();

private:
    struct Step {
        std::u16string_view name;
        enum { kNoPredicate, kIndex, kAttribute, kChild } predicate = kNoPredicate;
        uint32_t index = 0;
        std::u16string_view predicate_name;
    };

    bool ParseStep(Step& step);
    bool Matches(Element element, const Step& step) const;
    Element FirstChild(Element element) const { return doc_.At(element).first_child; }
    Element NextSibling(Element element) const { return doc_.At(element).next_sibling; }
    // The next element in document order that is not inside `element`.
    Element NextOutside(Element element) const {
        for (; element; element = doc_.At(element).parent)
            if (NextSibling(element)) return NextSibling(element);
        return 0;
    }
    Element NextInDocumentOrder(Element element) const {
        return FirstChild(element) ? FirstChild(element) : NextOutside(element);
    }
    Element SearchDocumentOrder(Element from);
    Element SearchSteps(Element candidate);

    const TLXMLDocument& doc_;
    std::u16string_view path_;
    size_t pos_ = 0;
};

TLXMLDocument::Element TLXMLDocument::PathSearch::Run() {
    const Element current = doc_.element_, parent = doc_.parent_;
    if (path_.substr(0, 2) == u"//") {
        pos_ = 2;
        const Element start = current              ? NextInDocumentOrder(current)
                              : FirstChild(parent) ? FirstChild(parent)
                                                   : NextOutside(parent);
        return SearchDocumentOrder(start);
    }
    if (path_.substr(0, 1) == u"/") {
        pos_ = 1;
        return SearchSteps(FirstChild(0));
    }
    if (current && !NextSibling(current)) return 0;
    return SearchSteps(current ? NextSibling(current) : FirstChild(parent));
}

TLXMLDocument::Element TLXMLDocument::PathSearch::SearchDocumentOrder(Element from) {
    if (pos_ == path_.size()) return from;
    Step step;
    if (!ParseStep(step) || pos_ != path_.size()) return 0;  // "//" takes a single step
    uint32_t seen = 0;
    for (Element e = from; e; e = NextInDocumentOrder(e))
        if (Matches(e, step) && (step.predicate != Step::kIndex || ++seen == step.index)) return e;
    return 0;
}

TLXMLDocument::Element TLXMLDocument::PathSearch::SearchSteps(Element candidate) {
    if (pos_ == path_.size()) return candidate;
    for (;;) {
        Step step;
        if (!candidate || !ParseStep(step)) return 0;
        uint32_t seen = 0;
        while (candidate && !(Matches(candidate, step) && (step.predicate != Step::kIndex || ++seen == step.index)))
            candidate = NextSibling(candidate);
        if (!candidate || pos_ == path_.size()) return candidate;
        ++pos_;  // the "/" that descends
        candidate = FirstChild(candidate);
        if (pos_ == path_.size()) return candidate;
    }
}

bool TLXMLDocument::PathSearch::ParseStep(Step& step) {
    const size_t size = path_.size();
    const size_t name_start = pos_;
    while (pos_ < size && !InSet(path_[pos_], kStepNameEnd)) ++pos_;
    step.name = path_.substr(name_start, pos_ - name_start);
    if (step.name.empty()) return false;
    while (pos_ < size && path_[pos_] != u'[' && path_[pos_] != u'/') ++pos_;  // text after the name
    if (pos_ < size && path_[pos_] == u'[') {
        const size_t close = path_.find(u']', pos_ + 1);
        if (close == std::u16string_view::npos) return false;
        std::u16string_view inner = path_.substr(pos_ + 1, close - pos_ - 1);
        pos_ = close + 1;
        if (!inner.empty() && inner[0] >= u'1' && inner[0] <= u'9') {
            step.predicate = Step::kIndex;
            for (size_t i = 0; i < inner.size() && TLStringLibrary::IsDigit(inner[i]); ++i)
                step.index = step.index > 100000000 ? step.index : step.index * 10 + (inner[i] - u'0');
        } else {
            step.predicate = inner.substr(0, 1) == u"@" ? Step::kAttribute : Step::kChild;
            if (step.predicate == Step::kAttribute) inner.remove_prefix(1);
            size_t name_end = 0;
            while (name_end < inner.size() && !InSet(inner[name_end], kStepNameEnd)) ++name_end;
            step.predicate_name = inner.substr(0, name_end);
            if (step.predicate_name.empty()) return false;
        }
        while (pos_ < size && path_[pos_] != u'/') ++pos_;
    }
    return true;
}

bool TLXMLDocument::PathSearch::Matches(Element element, const Step& step) const {
    if (step.name != u"*" && !doc_.NameIs(element, step.name)) return false;
    switch (step.predicate) {
        case Step::kAttribute:
            return doc_.FindAttribute(element, step.predicate_name).found;
        case Step::kChild:
            return doc_.HasChildNamed(element, step.predicate_name);
        default:
            return true;
    }
}

// A path that is a single name: the common relative search, done without parsing steps.
bool TLXMLDocument::IsPlainName(std::u16string_view path) {
    for (char16_t c : path)
        if (InSet(c, kStepNameEnd) || c == u'*') return false;
    return !path.empty();
}

bool TLXMLDocument::FindElement(std::u16string_view path) {
    Element found;
    if (path.empty()) {
        found = element_ ? At(element_).next_sibling : At(parent_).first_child;
    } else if (IsPlainName(path)) {
        found = element_ ? At(element_).next_sibling : At(parent_).first_child;
        if (element_ && !found) return false;
        while (found && !NameIs(found, path)) found = At(found).next_sibling;
    } else {
        found = PathSearch(*this, path).Run();
    }
    if (!found) return false;
    element_ = found;
    parent_ = At(found).parent;
    child_ = 0;
    node_ = Node{};
    return true;
}
