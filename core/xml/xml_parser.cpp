// The parser: one pass over the text that builds the element index and records the first problem.
//
// Text between tags is never looked at beyond finding the next "<"; only elements get records. The
// open elements live on an explicit stack, so nesting depth costs heap, never call stack. Cutting back
// an element that was not ended is constant time: its children are spliced into its parent's list as
// a whole, and their parent links are mended in one pass at the end.

#include <memory>
#include <unordered_map>
#include <vector>

#include "core/xml/tl_xml_document.h"

#include "core/xml/xml_scan.h"

using namespace tlxml_scan;

class TLXMLDocument::Parser {
public:
    explicit Parser(TLXMLDocument& doc)
        : doc_(doc), p_(doc.text_.data()), n_(static_cast<uint32_t>(doc.text_.length())) {}

    // Fills the index and returns the problem message (empty when none was found).
    TLString Run();

private:
    struct Open {
        Element element;
        Element last_child;
        uint32_t name_start;
        uint32_t name_length;
    };

    // Both return the offset after the tag; StartTag returns 0 when the text ends inside the tag.
    // The two tags of every element are the hot path of the whole parse: they are inlined into it.
    [[gnu::always_inline]] inline uint32_t StartTag(uint32_t at);
    uint32_t EndTag(uint32_t at, uint32_t after);
    // The end tag of the innermost open element written exactly ("</name>"): the common case, closed
    // without classifying the markup. Returns the offset after it, or 0 when the tag is anything else.
    [[gnu::always_inline]] uint32_t ExactEndTag(uint32_t at) {
        const Open& top = Top();
        const uint32_t close = at + 2 + top.name_length;
        if (close >= n_ || p_[close] != u'>' || depth_ == 1 ||
            !SameUnits(p_ + at + 2, p_ + top.name_start, top.name_length, n_ - at - 2))
            return 0;
        Record& r = doc_.At(top.element);
        r.length = close + 1 - r.start;
        r.end_tag_length = close + 1 - at;
        LinkLastChild(top, r);
        PopOpen();
        return close + 1;
    }
    [[gnu::always_inline]] inline void Append(Element element, Open& parent);
    // The first child's previous-sibling link names the last child. Written once, when the element
    // is closed, rather than at every child appended.
    void LinkLastChild(const Open& open, const Record& r) {
        if (open.last_child) doc_.At(r.first_child).previous_sibling = open.last_child;
    }
    void CutBackInnermost();
    void MendParentLinks();
    std::u16string_view OpenName(const Open& open) const { return {p_ + open.name_start, open.name_length}; }
    std::u16string_view Name(Element element) const {
        return {p_ + doc_.At(element).start + 1, doc_.NameLength(element)};
    }
    // Only the first problem is kept, so later ones are never formatted: hostile text can hold
    // thousands of them.
    template <class... Args>
    void Problem(std::u16string_view format, const Args&... args) {
        if (!ill_formed_) problem_ = sizeof...(Args) ? TLString::Format(format, args...) : TLString(format);
        ill_formed_ = true;
    }
    void Incorrect(const char16_t* what, uint32_t at) { Problem(u"Incorrect %s at offset %d", what, at); }

    // Names of the open elements and how many are open under each; kept only once an end tag that
    // matches no innermost element meets a deep stack, so that hostile text (thousands of stray end
    // tags under thousands of open elements) cannot make the search for a match quadratic.
    struct NameHash {
        bool ignore_case;
        size_t operator()(std::u16string_view name) const {
            size_t h = 0;
            for (char16_t c : name) h = h * 0x1003F + (ignore_case ? TLStringLibrary::ToLower(c) : c);
            return h;
        }
    };
    struct NameEqual {
        bool ignore_case;
        bool operator()(std::u16string_view a, std::u16string_view b) const {
            return tlxml_scan::NamesEqual(a, b, ignore_case);
        }
    };
    using NameCounts = std::unordered_map<std::u16string_view, uint32_t, NameHash, NameEqual>;
    static constexpr size_t kCountNamesDepth = 64;

    void PushOpen(const Open& open) {
        if (depth_ == open_.size()) open_.resize(2 * depth_);
        open_[depth_++] = open;
        if (open_names_) [[unlikely]]
            ++(*open_names_)[OpenName(open)];
    }
    void PopOpen() {
        if (open_names_) [[unlikely]] {
            auto it = open_names_->find(OpenName(Top()));
            if (--it->second == 0) open_names_->erase(it);
        }
        --depth_;
    }
    void StartCountingNames() {
        open_names_ = std::make_unique<NameCounts>(16, NameHash{ignore_case_}, NameEqual{ignore_case_});
        for (size_t i = 1; i < depth_; ++i) ++(*open_names_)[OpenName(open_[i])];
    }

    TLXMLDocument& doc_;
    const char16_t* p_;
    uint32_t n_;
    const bool ignore_case_ = (doc_.flags_ & kIgnoreCase) != 0;
    // The open elements, the document itself at the bottom; sized ahead so that a push seldom grows it.
    std::vector<Open> open_ = std::vector<Open>(16);
    size_t depth_ = 0;
    Open& Top() { return open_[depth_ - 1]; }
    std::unique_ptr<NameCounts> open_names_;
    TLString problem_;
    bool ill_formed_ = false;
    bool cut_back_ = false;  // some element was cut back: parent links need mending
};

TLString TLXMLDocument::Parser::Run() {
    Record& document = doc_.At(0);
    document = Record{};
    document.length = n_;
    PushOpen({0, 0, 0, 0});

    uint32_t at = 0;
    for (;;) {
        at = Find(p_, at, n_, u'<');
        if (at + 1 >= n_) {
            if (at < n_) Problem(u"%s at offset %d unterminated", UnterminatedName(Markup::kStartTag), at);
            break;
        }
        const char16_t next = p_[at + 1];
        if (next == u'/') {
            if (const uint32_t after = ExactEndTag(at)) {
                at = after;
                continue;
            }
        } else if (!InSet(next, kTagNameEnd)) {
            at = StartTag(at);
            if (!at) break;
            continue;
        }
        const Markup markup = ClassifyMarkup(p_, at, n_);
        if (markup == Markup::kBadTagName || markup == Markup::kBadComment || markup == Markup::kBadBangTag) {
            Incorrect(markup == Markup::kBadTagName   ? u"tag name character"
                      : markup == Markup::kBadComment ? u"comment tag"
                                                      : u"! tag",
                      at);
            ++at;  // the "<" stays part of the text
            continue;
        }
        const uint32_t after = MarkupEnd(markup, p_, at, n_);
        if (!after) {
            Problem(u"%s at offset %d unterminated", UnterminatedName(markup), at);
            break;
        }
        at = markup == Markup::kEndTag ? EndTag(at, after) : after;
    }
    while (depth_ > 1) CutBackInnermost();
    LinkLastChild(Top(), doc_.At(0));
    if (cut_back_) MendParentLinks();

    const Element root = doc_.At(0).first_child;
    if (n_ == 0) {
        ill_formed_ = false;
        Problem(u"Empty document");
    } else if (!root) {
        ill_formed_ = false;
        Problem(u"No root element");
    } else if (doc_.At(root).next_sibling) {
        ill_formed_ = false;
        Problem(u"Root element has sibling");
    }
    if (ill_formed_) doc_.At(0).flags |= kIllFormed;
    return problem_;
}

inline uint32_t TLXMLDocument::Parser::StartTag(uint32_t at) {
    const uint32_t name_end = ElementNameEnd(p_, at + 1, n_);
    const uint32_t close = StartTagClose(p_, name_end, n_);
    if (close >= n_) {
        Problem(u"%s at offset %d unterminated", UnterminatedName(Markup::kStartTag), at);
        return 0;
    }
    const Element element = doc_.NewRecord();
    Record& r = doc_.At(element);
    const uint32_t name_length = name_end - at - 1;
    const bool empty = p_[close - 1] == u'/';
    r.start = at;
    r.start_tag_length = close + 1 - at;
    r.length = r.start_tag_length;
    r.end_tag_length = 0;
    r.flags =
        (empty ? uint32_t{kEmptyElement} : 0u) | (name_length < kNameLengthLimit ? name_length << kNameLengthShift : 0);
    r.first_child = 0;
    r.next_sibling = 0;
    Append(element, Top());
    if (!empty) PushOpen({element, 0, at + 1, name_end - at - 1});
    return close + 1;
}

inline void TLXMLDocument::Parser::Append(Element element, Open& parent) {
    Record& r = doc_.At(element);
    r.parent = parent.element;
    if (!parent.last_child) {
        doc_.At(parent.element).first_child = element;
    } else {
        doc_.At(parent.last_child).next_sibling = element;
        r.previous_sibling = parent.last_child;
    }
    parent.last_child = element;
}

uint32_t TLXMLDocument::Parser::EndTag(uint32_t at, uint32_t after) {
    const uint32_t name_end = SkipTo(p_, at + 2, after, kTagNameEnd);
    const std::u16string_view name(p_ + at + 2, name_end - at - 2);
    if (!open_names_ && depth_ > kCountNamesDepth) StartCountingNames();

    size_t match = open_names_ && !open_names_->count(name) ? 0 : depth_ - 1;
    while (match > 0 && !tlxml_scan::NamesEqual(OpenName(open_[match]), name, ignore_case_)) --match;
    if (match == 0) {
        // A lone end tag: it stays in the text as a node of its own.
        if (depth_ > 1) {
            const Element inner = Top().element;
            Problem(u"End tag '%s' at offset %d does not match start tag '%s' at offset %d", name, at, Name(inner),
                    doc_.At(inner).start);
        } else {
            Problem(u"No start tag for end tag '%s' at offset %d", name, at);
        }
        return after;
    }
    while (depth_ - 1 > match) CutBackInnermost();
    Record& r = doc_.At(Top().element);
    r.length = after - r.start;
    r.end_tag_length = after - at;
    LinkLastChild(Top(), r);
    PopOpen();
    return after;
}

void TLXMLDocument::Parser::CutBackInnermost() {
    const Open cut = Top();
    PopOpen();
    Record& r = doc_.At(cut.element);
    Problem(u"Element '%s' at offset %d not ended", Name(cut.element), r.start);
    r.flags |= kNotEnded;
    r.length = r.start_tag_length;
    r.end_tag_length = 0;
    if (!cut.last_child) return;
    // The children follow the element as its siblings; it was its parent's last child.
    Open& parent = Top();
    const Element first = r.first_child;
    r.next_sibling = first;
    doc_.At(first).previous_sibling = cut.element;
    parent.last_child = cut.last_child;
    r.first_child = 0;
    cut_back_ = true;
}

void TLXMLDocument::Parser::MendParentLinks() {
    for (Element e = 0; e <= doc_.count_; ++e)
        for (Element c = doc_.At(e).first_child; c; c = doc_.At(c).next_sibling) doc_.At(c).parent = e;
}

bool TLXMLDocument::SetDocument(const TLString& text) {
    text_ = text;
    ClearIndex(static_cast<uint32_t>(text_.length() / 64 + kReservedRecords));
    TLString problem = Parser(*this).Run();
    if (!problem.empty()) error_ = error_.empty() ? problem : error_ + u", " + problem;
    well_formed_ = !(At(0).flags & kIllFormed);
    ResetPosition();
    return well_formed_;
}

bool TLXMLDocument::SetDocument(std::u16string_view text) { return SetDocument(TLString(text)); }
