#pragma once
// What the product's "FileAssociations.xml" says: which file types it handles, how each is
// described, which are offered and associated by default, and the MIME types of the types.
//
//   <QVFA version="1.0">
//     <DescriptionTypes><Audio>mp3;flac</Audio><Image>..</Image><Video>..</Video><Data>..</Data>
//       <Playlist>..</Playlist><Unknown>..</Unknown></DescriptionTypes>
//     <DefaultFileTypes>..</DefaultFileTypes> <DefaultAssocFileTypes>..</DefaultAssocFileTypes>
//     <QVTypes>..</QVTypes> <IMGTypes/> <DXTypes/> <RPTypes/> <QTTypes/> <OTTypes/>
//     <MimeAssociations><audio Name="mpeg">mp3;mp2</audio>...</MimeAssociations>
//   </QVFA>
//
// Types are written without the full stop; names compare without regard to letter case. A MIME
// record's element name is the top-level type and its "Name" the subtype, since a "/" cannot be
// part of an element name.

#include <array>
#include <optional>
#include <vector>

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"

namespace shell {

// The lists in the order of the file; the first six are the description categories.
enum class FileTypeList {
    kAudio,
    kImage,
    kVideo,
    kData,
    kPlaylist,
    kUnknown,
    kDefaultFileTypes,
    kDefaultAssocFileTypes,
    kQVTypes,
    kIMGTypes,
    kDXTypes,
    kRPTypes,
    kQTTypes,
    kOTTypes,
};
inline constexpr size_t kFileTypeListCount = 14;

struct MimeRecord {
    TLString top_type;  // "audio"
    TLString name;      // "mpeg"
    TLStringArray types;
    TLString MimeType() const { return top_type + u"/" + name; }
};

// One file type an installed input plug-in reads, as the product's settings record it.
struct InputPluginRecord {
    TLString type;
    TLString name;
    TLString file_description;
    int64_t interface_version = 0;
};

struct InputPluginType {
    TLString type;
    TLString description;  // "description (plug-in name)"
};

struct FileAssociationData {
    std::array<TLStringArray, kFileTypeListCount> lists;
    std::vector<InputPluginType> plugin_types;
    std::vector<MimeRecord> mime_records;

    const TLStringArray& List(FileTypeList list) const { return lists[static_cast<size_t>(list)]; }
    bool Contains(FileTypeList list, std::u16string_view type) const;
    // The first description category holding the type; nothing when none does.
    std::optional<FileTypeList> DescriptionType(std::u16string_view type) const;
    const MimeRecord* FindMimeOfType(std::u16string_view type) const;
    const MimeRecord* FindMime(std::u16string_view mime_type) const;
};

// Reads the document; false when it is no "QVFA" document of version 1.0 or later. The plug-in
// records are the product's; they join the product's own engine list, as the file lists them.
bool ParseFileAssociations(const TLString& text, const std::vector<InputPluginRecord>& plugins,
                           FileAssociationData& data);

// The install configuration may replace the two default lists; an empty text keeps the file's.
void OverrideDefaultLists(FileAssociationData& data, const TLString& offered, const TLString& associated);

TLString JoinTypeList(const TLStringArray& types);

// The file type's extension with its full stop (".mp3" for "mp3" or ".mp3").
TLString ExtensionOf(const TLString& type);

// The ProgID an extension is associated with; `special_extension` is the one type that the
// product opens as a MIME document.
TLString ProgIdForExtension(const TLString& extension, const TLString& product_with_version,
                            const TLString& special_extension);

}  // namespace shell
