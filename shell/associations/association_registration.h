#pragma once
// The registry work for single extensions, MIME types and URL protocols: each is pointed at the
// product, and whatever another program had set is kept in a backup value.

#include "core/string/tl_string_array.h"
#include "shell/associations/file_association_data.h"
#include "shell/registry/registry_roots.h"

namespace shell {

struct AssociationTexts {
    TLString product_with_version;
    TLString special_extension;  // opened as a MIME document; may be empty
    TLString launcher_path;
};

// Points each type's extension at its ProgID (".dat" never) and registers its MIME type; the user's
// earlier choice in Explorer follows when there is one.
void RegisterFileTypes(const TLStringArray& types, const FileAssociationData& data, const AssociationTexts& texts,
                       const RegistryRoots& roots = {});

// Maps a MIME type ("a/b") to the extension. Without an extension the MIME record's first type is
// taken; a type that has none is left alone, since an empty "Extension" would break it for every
// program.
void RegisterMimeType(const TLString& mime_type, const TLString& extension, const FileAssociationData& data,
                      const RegistryRoots& roots = {});

void RegisterProtocols(const TLStringArray& protocols, const TLString& launcher_path, const RegistryRoots& roots = {});

// Whether the disc type ("dvdvideodisc", "bluraydisc", "cdaudiodisc") plays in the product.
bool IsDiscTypeAssociated(const TLString& disc_type, HKEY classes_root = HKEY_CLASSES_ROOT);

}  // namespace shell
