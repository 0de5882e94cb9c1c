#include "shell/associations/association_registration.h"

#include "core/tools/tools.h"
#include "core/windows/registry.h"
#include "shell/registry/registry_changes.h"

namespace shell {
namespace {

constexpr char16_t kFileExtsKey[] = u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";

void AssociateExtension(const TLString& extension, const TLString& prog_id, const RegistryRoots& roots) {
    TLString current;
    tlwin::RegistryKey::Open(roots.classes_root, extension).ReadString(TLString(), &current);
    const bool backup = !current.empty() && !current.EqualsNoCase(prog_id);
    WriteRegistryStringWithBackup(*roots.notes, roots.classes_root, extension, TLString(), prog_id, backup);
    WriteRegistryStringWithBackup(*roots.notes, roots.classes_root, extension, u"PerceivedType", TLString(), backup);
    WriteRegistryStringWithBackup(*roots.notes, roots.classes_root, extension, u"Content Type", TLString(), backup);
    const TLString user_choice = kFileExtsKey + extension;
    if (tlwin::RegistryKey::Open(roots.current_user, user_choice, KEY_READ | KEY_WRITE).IsOpen())
        WriteRegistryStringWithBackup(*roots.notes, roots.current_user, user_choice, u"Progid", prog_id, true);
}

}  // namespace

void RegisterFileTypes(const TLStringArray& types, const FileAssociationData& data, const AssociationTexts& texts,
                       const RegistryRoots& roots) {
    for (const TLString& type : types) {
        const TLString extension = ExtensionOf(type);
        if (const MimeRecord* mime = data.FindMimeOfType(type))
            RegisterMimeType(mime->MimeType(), extension, data, roots);
        if (extension.EqualsNoCase(u".dat")) continue;
        AssociateExtension(extension, ProgIdForExtension(extension, texts.product_with_version, texts.special_extension),
                           roots);
    }
}

void RegisterMimeType(const TLString& mime_type, const TLString& extension, const FileAssociationData& data,
                      const RegistryRoots& roots) {
    if (mime_type.Find(u'/') == TLString::npos) return;
    TLString target = extension;
    if (target.empty())
        if (const MimeRecord* record = data.FindMime(mime_type); record && !record->types.IsEmpty())
            target = ExtensionOf(record->types[0]);
    if (target.empty()) {
        tools::LogFormat(u"shell::RegisterMimeType", u"\"%s\" has no extension: left alone", mime_type);
        return;
    }
    const TLString key = u"Mime\\Database\\Content Type\\" + mime_type;
    WriteRegistryStringWithBackup(*roots.notes, roots.classes_root, key, u"Extension", TLString(target).MakeLower(),
                                  true);
    WriteRegistryStringWithBackup(*roots.notes, roots.classes_root, key, u"CLSID", std::nullopt, true);
}

void RegisterProtocols(const TLStringArray& protocols, const TLString& launcher_path, const RegistryRoots& roots) {
    for (const TLString& protocol : protocols) {
        WriteRegistryStringWithBackup(*roots.notes, roots.classes_root, protocol, TLString(),
                                      u"URL:" + protocol + u" Protocol", true);
        WriteRegistryStringWithBackup(*roots.notes, roots.classes_root, protocol, u"URL Protocol", TLString(), true);
        WriteRegistryStringWithBackup(*roots.notes, roots.classes_root, protocol + u"\\shell\\open\\command\\",
                                      TLString(), u"\"" + launcher_path + u"\" /Protocol \"%L\"", true);
    }
}

bool IsDiscTypeAssociated(const TLString& disc_type, HKEY classes_root) {
    static constexpr std::u16string_view kDiscs[][3] = {
        {u"dvdvideodisc", u"DVD", u"/DVDVideo"},
        {u"bluraydisc", u"Bluray", u"/Bluray"},
        {u"cdaudiodisc", u"AudioCD", u"/AudioCD"},
    };
    for (const auto& disc : kDiscs) {
        if (!disc_type.EqualsNoCase(disc[0])) continue;
        TLString command;
        tlwin::RegistryKey::Open(classes_root, TLString(disc[1]) + u"\\shell\\play\\command")
            .ReadString(TLString(), &command);
        return command.FindNoCase(disc[2]) != TLString::npos;
    }
    return false;
}

}  // namespace shell
