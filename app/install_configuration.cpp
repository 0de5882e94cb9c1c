#include "app/install_configuration.h"

#include <windows.h>

#include "app/install_xml.h"
#include "core/tools/scoped_trace.h"
#include "core/tools/tools.h"
#include "core/windows/file_attributes.h"
#include "core/windows/folder_entries.h"
#include "core/windows/full_path.h"
#include "core/xml/file_text.h"

namespace {

bool IsAbsolute(const TLString& path) { return (path.length() >= 2 && path[1] == u':') || path.StartsWith(u"\\"); }

// A folder text of Install.xml, absolute against the file's folder and with a trailing backslash;
// empty when the folder does not exist.
TLString ExistingFolder(const TLString& text, const TLString& base_folder) {
    if (text.empty()) return TLString();
    TLString folder = tlwin::FullPath(IsAbsolute(text) ? text : base_folder + text);
    folder.EnsureTrailingBackslash();
    return tlwin::FolderExists(folder) ? folder : TLString();
}

bool ReadInstallXmlFile(const TLString& path, InstallSession& session) {
    TLString text;
    if (!tlxml::ReadTextFile(path, text)) return false;
    const InstallXmlSettings settings = ReadInstallXml(text);
    if (!settings.accepted) return false;
    const TLString full = tlwin::FullPath(path);
    const TLString base_folder = full.Left(full.ReverseFind(u'\\') + 1);
    const TLString support = ExistingFolder(settings.support_files, base_folder);
    if (!support.empty()) session.SupportFolders.Add(support);
    if (settings.allow_downgrade) session.AllowDowngrade = *settings.allow_downgrade;
    const TLString media = ExistingFolder(settings.bundled_media, base_folder);
    if (!media.empty()) session.BundledMediaFolder = media;
    return true;
}

void LogConfiguration(const TLString& path, bool read, const InstallSession& session) {
    TLString folders;
    for (size_t i = 0; i < session.SupportFolders.GetCount(); ++i) {
        if (i) folders += u"|";
        folders += session.SupportFolders[i];
    }
    tools::LogFormat(u"LoadInstallConfiguration",
                     u"Install configuration: file \"%s\" %s; support folders \"%s\"; allow downgrade %d; "
                     u"bundled media \"%s\"; library \"%s\"",
                     path, read ? u"read" : u"not used", folders, session.AllowDowngrade ? 1 : 0,
                     session.BundledMediaFolder, session.LibraryFolder);
}

}  // namespace

void LoadInstallConfiguration(const TLString& folder, InstallSession& session) {
    TLScopedTrace trace(u"LoadInstallConfiguration");
    session.SupportFolders.Add(folder + u"Support\\");
    session.LibraryFolder = folder + u"Library\\";
    TLString path = folder + u"Install.xml";
    if (!tlwin::FileExists(path)) path = folder + u"..\\Install.xml";
    const bool read = ReadInstallXmlFile(path, session);
    LogConfiguration(path, read, session);
}

TLString FindSupportFile(const InstallSession& session, const TLString& name, bool must_exist) {
    const TLStringArray& folders = session.SupportFolders;
    for (size_t i = 0; i < folders.GetCount(); ++i) {
        const TLString candidate = folders[i] + name;
        if (!must_exist || tlwin::FileExists(candidate)) return candidate;
    }
    return TLString();
}

TLStringArray ListSupportPackages(const InstallSession& session) {
    TLStringArray packages;
    const TLStringArray& folders = session.SupportFolders;
    for (size_t i = 0; i < folders.GetCount(); ++i) {
        tlwin::ForEachEntry(folders[i], [&](const TLString& name, DWORD attributes) {
            // The pattern "*.qvp" would also match longer extensions through their short names.
            if (!tlwin::IsFolder(attributes) && name.EndsWithNoCase(u".qvp")) packages.Add(folders[i] + name);
            return true;
        });
    }
    return packages;
}
