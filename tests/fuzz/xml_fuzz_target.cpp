// libFuzzer target: arbitrary bytes through file-text decoding, the XML document (parse, path search,
// reading, editing), the property-holder form, the file-name form and a property map's saved form,
// checking what must always hold.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string_view>
#include <vector>

#include "core/property/tl_filename.h"
#include "core/property/tl_property_map.h"
#include "core/xml/file_text.h"
#include "core/xml/tl_xml_document.h"
#include "fuzz_require.h"
#include "index_invariants.h"
#include "pugixml_differential.h"
#include "tests/core/file_text_reference.h"

namespace {

// Searches from before the root, and what an element they find must be: its name (empty: any), its
// depth (1 for the root, 0: any) and an attribute it must carry.
struct PathCase {
    std::u16string_view path;
    std::u16string_view name;
    uint32_t depth;
    std::u16string_view attribute;
};
constexpr PathCase kPaths[] = {
    {u"/*/Package/Action", u"Action", 3, u""},
    {u"//Item", u"Item", 0, u""},
    {u"*", u"", 1, u""},
    {u"/*[1]/*[@Name]", u"", 2, u"Name"},
    {u"Item[2]", u"Item", 1, u""},
    {u"/*/*[Item]/*", u"", 3, u""},
    {u"/", u"", 1, u""},
    {u"//", u"", 0, u""},
};

uint32_t DepthOf(const TLXMLDocument& document, TLXMLDocument::Element element) {
    uint32_t depth = 0;
    for (; element != 0 && depth <= document.GetElementCount(); element = document.GetRecord(element).parent) ++depth;
    return depth;
}

void CheckFoundElement(const TLXMLDocument& document, const PathCase& search) {
    const TLXMLDocument::Element found = document.GetCurrentElement();
    Require(found != 0 && document.IsValidElement(found), "a found element is in the index");
    const TLString name(document.GetElementName(found));
    const bool ignore_case = document.GetFlags() & TLXMLDocument::kIgnoreCase;
    Require(search.name.empty() || (ignore_case ? name.EqualsNoCase(search.name) : name == search.name),
            "a found element has the step's name");
    Require(search.depth == 0 || DepthOf(document, found) == search.depth, "a found element lies at the path's depth");
    Require(search.attribute.empty() || document.HasAttribute(found, search.attribute),
            "a found element carries the attribute asked for");
}

// The characters that escaping does not carry through unchanged.
bool IsControl(char16_t c) { return c < 32 && c != u'\t' && c != u'\n' && c != u'\r'; }

bool HasControlCharacter(std::u16string_view text) { return std::any_of(text.begin(), text.end(), IsControl); }

TLString WithoutControlCharacters(std::u16string_view text) {
    if (!HasControlCharacter(text)) return TLString(text);
    std::u16string out;
    out.reserve(text.size());
    std::remove_copy_if(text.begin(), text.end(), std::back_inserter(out), IsControl);
    return TLString(out);
}

// Escaping for element data and attribute values must decode back to the same text. Both map one
// character at a time, so the start of the text shows every fault a longer text could.
void CheckEscaping(std::u16string_view text) {
    const TLString plain = WithoutControlCharacters(text.substr(0, 64));
    Require(TLXMLDocument::Decode(TLXMLDocument::EscapeData(plain)) == plain, "data escape then decode");
    Require(TLXMLDocument::Decode(TLXMLDocument::EscapeAttribute(plain)) == plain, "attribute escape then decode");
}

// Reads every element, runs the searches and edits the document once, checking the index after it.
void ExerciseDocument(TLXMLDocument& document, std::u16string_view text) {
    const uint32_t count = document.GetElementCount();
    for (TLXMLDocument::Element element = 1; element <= count; ++element) {
        document.GetData(element);
        document.GetAttribute(element, u"Name");
        document.GetAttribute(element, document.GetElementName(element));
    }
    const std::u16string_view own_path = text.substr(text.size() > 16 ? text.size() - 16 : 0);
    for (const PathCase& search : kPaths) {
        document.ResetPosition();
        if (!document.FindElement(search.path)) continue;
        CheckFoundElement(document, search);
        document.GetData();
        document.GetChildData(u"Item");
        if (document.IntoElement()) {
            document.FindChildElement(own_path, true);
            document.FindElement();
            document.OutOfElement();
        }
    }
    document.ResetPosition();
    Require(!document.FindElement(u"//a/b"), "no second step after \"//\"");
    document.FindElement(own_path);

    // An added element and attribute read back what was written.
    const TLString value = WithoutControlCharacters(text.substr(0, 64));
    if (document.AddElement(u"Added", value)) {
        const TLXMLDocument::Element added = document.GetCurrentElement();
        Require(document.GetData(added) == value, "added element's data reads back");
        Require(document.SetAttribute(added, u"Value", value), "attribute set on the added element");
        Require(document.GetAttribute(added, u"Value") == value, "added attribute reads back");
    }
    CheckIndex(document);
}

void CheckPropertyHolderForm(const TLString& text) {
    // Only a text that names the root element anywhere can be read; any other is refused unread.
    if (text.FindNoCase(u"XMLPH") == TLString::npos) return;
    TLPropertyMap map;
    if (!map.FromXML(text, u"XMLPH"_tl, 1.0)) {
        Require(map.IsEmpty(), "a refused property holder leaves the map empty");
        return;
    }
    bool clean = true;
    map.ForEach([&clean](const TLString& name, const TLString& value) {
        clean = clean && !HasControlCharacter(name) && !HasControlCharacter(value);
    });
    if (!clean) return;  // control characters are written as "?" by design
    TLPropertyMap again;
    Require(again.FromXML(map.ToXML(u"XMLPH"_tl, false, 1.0), u"XMLPH"_tl, 1.0), "written form reads back");
    Require(again.IsEqual(map), "property holder round trip");
}

void CheckFilenameForm(const TLString& text) {
    for (const TLString& form : {text, u"<XMLFN version=\"1.0\">" + text}) {
        const TLFilename name(form);
        if (name.Properties().IsEmpty()) continue;  // a plain name is not re-read as the same thing
        bool has_zero = name.GetFilename().Find(u'\0') != TLString::npos;
        name.Properties().ForEach([&has_zero](const TLString& key, const TLString& value) {
            has_zero = has_zero || key.Find(u'\0') != TLString::npos || value.Find(u'\0') != TLString::npos;
        });
        if (has_zero) continue;  // "&#x0;" stays as it is when read
        const TLFilename again(name.Compose());
        Require(again.GetFilename() == name.GetFilename(), "file name round trip");
        Require(again.Properties().IsEqual(name.Properties()), "file name properties round trip");
    }
}

void CheckText(std::u16string_view text, unsigned flags) {
    // An exactly sized copy without a terminating zero, handed over without copying, so that a read
    // past the end of the text is reported.
    std::unique_ptr<char16_t[]> exact(new char16_t[text.size()]);
    std::copy(text.begin(), text.end(), exact.get());
    const TLString unterminated = TLString::Constant(exact.get(), text.size());

    TLXMLDocument document(flags);
    const bool well_formed = document.SetDocument(unterminated);
    Require(document.GetDocument() == text, "the document keeps its text");
    CheckIndex(document);

    // Only documents both parsers take as well formed are compared: pugixml passes over some faults
    // (a document type declaration without its closing bracket). It also takes a zero as the end of the
    // text, and UTF-8 cannot carry a lone surrogate.
    if (well_formed && text.find(u'\0') == std::u16string_view::npos) {
        const TLString owned(text);
        const std::string utf8 = owned.ToUtf8();
        if (TLString::FromUtf8(utf8) == owned) CompareWithPugixml(utf8, document);
    }

    ExerciseDocument(document, text);
    CheckEscaping(text);
    CheckPropertyHolderForm(unterminated);
    CheckFilenameForm(unterminated);
}

// Returns the document text of the bytes.
TLString CheckFileText(std::string_view bytes) {
    tlxml::TextEncoding encoding;
    TLString text = tlxml::DecodeFileText(bytes, &encoding);
    const auto [reference, reference_encoding] = tlxml_reference::DecodeFileText(bytes);
    Require(text == reference, "file text decodes as the plain reference decodes it");
    Require(encoding == reference_encoding, "file text finds the encoding the plain reference finds");
    tlxml::TextEncoding again_encoding;
    const TLString again = tlxml::DecodeFileText(tlxml::EncodeFileText(text, encoding), &again_encoding);
    if (encoding != tlxml::TextEncoding::kAnsi) {
        Require(again == text, "file text decodes back after encoding");
        Require(again_encoding == encoding, "file text keeps its encoding");
    }
    return text;
}

// A saved map read back from hostile bytes never reads past them, and saves again to what it read.
void CheckSerialForm(const uint8_t* data, size_t size) {
    TLPropertyMap map;
    if (!map.Load(TLSerialBuffer(std::vector<uint8_t>(data, data + size)))) return;
    TLSerialBuffer saved;
    map.Save(saved, true);
    TLPropertyMap again;
    Require(again.Load(saved) && again.IsEqual(map), "saved map loads back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const unsigned flags = size ? (data[0] & (TLXMLDocument::kIgnoreCase | TLXMLDocument::kNoLineBreaks)) : 0;

    // Bytes that start with a UTF-16 byte order mark reach the document as raw units: lone surrogates
    // and any unit at all.
    CheckText(CheckFileText(bytes), flags);
    CheckSerialForm(data, size);
    return 0;
}
