#include "shell/associations/file_association_data.h"

#include <cstdlib>
#include <memory>

#include "core/xml/tl_xml_document.h"

namespace shell {
namespace {

constexpr const char16_t* kListPaths[kFileTypeListCount] = {
    u"/*/DescriptionTypes/Audio",    u"/*/DescriptionTypes/Image",   u"/*/DescriptionTypes/Video",
    u"/*/DescriptionTypes/Data",     u"/*/DescriptionTypes/Playlist", u"/*/DescriptionTypes/Unknown",
    u"/*/DefaultFileTypes",          u"/*/DefaultAssocFileTypes",    u"/*/QVTypes",
    u"/*/IMGTypes",                  u"/*/DXTypes",                  u"/*/RPTypes",
    u"/*/QTTypes",                   u"/*/OTTypes",
};

// Names of test and stand-in plug-ins whose types the product does not offer.
bool PassedOverPlugin(const TLString& name) { return name.EqualsNoCase(u"MPP") || name.EqualsNoCase(u"AUDIOTEST"); }

// The "version" attribute as a number; 0 when it holds none.
double VersionNumber(const TLString& version) { return std::strtod(version.ToUtf8().c_str(), nullptr); }

TLString NormalType(const TLString& type) { return type.StartsWith(u".") ? type.Mid(1) : type; }

// The entries of a list text as types without their full stop.
TLStringArray TypeList(const TLString& text) {
    TLStringArray types = TLStringArray::FromList(text);
    for (size_t index = 0; index < types.GetCount(); ++index) types[index] = NormalType(types[index]);
    return types;
}

void AddPluginTypes(FileAssociationData& data, const std::vector<InputPluginRecord>& plugins) {
    TLStringArray& engine_types = data.lists[static_cast<size_t>(FileTypeList::kQVTypes)];
    for (const InputPluginRecord& plugin : plugins) {
        if (plugin.interface_version != 4 || PassedOverPlugin(plugin.name)) continue;
        const TLString type = NormalType(plugin.type);
        if (type.empty()) continue;
        if (engine_types.Find(type, true) == TLString::npos) engine_types.Add(type);
        data.plugin_types.push_back({type, TLString::Format(u"%s (%s)", plugin.file_description, plugin.name)});
    }
}

void ReadMimeRecords(TLXMLDocument& document, FileAssociationData& data) {
    document.ResetPosition();
    if (!document.FindElement(u"/*/MimeAssociations")) return;
    while (document.FindChildElement()) {
        const TLXMLDocument::Element element = document.GetCurrentChild();
        MimeRecord record;
        record.top_type = TLString(document.GetElementName(element));
        record.name = document.GetAttribute(element, u"Name");
        record.types = TypeList(document.GetData(element));
        if (!record.name.empty()) data.mime_records.push_back(std::move(record));
    }
}

}  // namespace

bool FileAssociationData::Contains(FileTypeList list, std::u16string_view type) const {
    return List(list).Find(NormalType(TLString(type)), true) != TLString::npos;
}

std::optional<FileTypeList> FileAssociationData::DescriptionType(std::u16string_view type) const {
    for (size_t index = 0; index <= static_cast<size_t>(FileTypeList::kUnknown); ++index)
        if (Contains(static_cast<FileTypeList>(index), type)) return static_cast<FileTypeList>(index);
    return std::nullopt;
}

const MimeRecord* FileAssociationData::FindMimeOfType(std::u16string_view type) const {
    const TLString normal = NormalType(TLString(type));
    for (const MimeRecord& record : mime_records)
        if (record.types.Find(normal, true) != TLString::npos) return &record;
    return nullptr;
}

const MimeRecord* FileAssociationData::FindMime(std::u16string_view mime_type) const {
    for (const MimeRecord& record : mime_records)
        if (record.MimeType().EqualsNoCase(mime_type)) return &record;
    return nullptr;
}

bool ParseFileAssociations(const TLString& text, const std::vector<InputPluginRecord>& plugins,
                           FileAssociationData& data) {
    data = FileAssociationData();
    auto document = std::make_unique<TLXMLDocument>(TLXMLDocument::kIgnoreCase);
    document->SetDocument(text);
    if (!document->FindElement(u"/QVFA") || VersionNumber(document->GetAttribute(u"version")) < 1.0) return false;
    for (size_t index = 0; index < kFileTypeListCount; ++index) {
        document->ResetPosition();
        if (document->FindElement(kListPaths[index])) data.lists[index] = TypeList(document->GetData());
        if (static_cast<FileTypeList>(index) == FileTypeList::kQVTypes) AddPluginTypes(data, plugins);
    }
    ReadMimeRecords(*document, data);
    return true;
}

void OverrideDefaultLists(FileAssociationData& data, const TLString& offered, const TLString& associated) {
    if (!offered.empty())
        data.lists[static_cast<size_t>(FileTypeList::kDefaultFileTypes)] = TLStringArray::FromList(offered);
    if (!associated.empty())
        data.lists[static_cast<size_t>(FileTypeList::kDefaultAssocFileTypes)] = TLStringArray::FromList(associated);
}

TLString JoinTypeList(const TLStringArray& types) {
    TLString joined;
    for (const TLString& type : types) {
        if (!joined.empty()) joined += u";";
        joined += type;
    }
    return joined;
}

TLString ExtensionOf(const TLString& type) { return type.StartsWith(u".") ? type : u"." + type; }

TLString ProgIdForExtension(const TLString& extension, const TLString& product_with_version,
                            const TLString& special_extension) {
    static constexpr std::u16string_view kSubscribe[] = {u".feed",    u".itpc", u".opml", u".pcast",
                                                         u".podcast", u".rss",  u".xml"};
    if (extension.EqualsNoCase(u".mpl")) return product_with_version + u".Playlist";
    if (extension.EqualsNoCase(u".wsz")) return product_with_version + u".Pack";
    for (const std::u16string_view subscribe : kSubscribe)
        if (extension.EqualsNoCase(subscribe)) return product_with_version + u".Subscribe";
    if (!special_extension.empty() && extension.EqualsNoCase(special_extension)) return product_with_version + u".Mime";
    return product_with_version + u".File";
}

}  // namespace shell
