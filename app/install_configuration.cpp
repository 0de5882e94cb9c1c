#include "app/install_configuration.h"

#include <windows.h>

#include <algorithm>
#include <charconv>
#include <limits>

#include "app/install_session.h"
#include "core/string/tl_string_library.h"
#include "core/tools/scoped_trace.h"
#include "core/tools/tools.h"
#include "core/windows/file_attributes.h"
#include "core/windows/folder_entries.h"
#include "core/windows/full_path.h"
#include "core/windows/module_path.h"
#include "core/xml/file_text.h"
#include "core/xml/tl_xml_document.h"

namespace {

bool IsAbsolute(const TLString& path) { return (path.length() >= 2 && path[1] == u':') || path.StartsWith(u"\\"); }

// A folder text of Install.xml, absolute against the file's folder and with a trailing backslash;
// empty when the folder does not exist.
TLString ExistingFolder(const TLString& text, const TLString& base_folder) {
    TLString folder = text;
    folder.Trim();
    if (folder.empty()) return TLString();
    folder = tlwin::FullPath(IsAbsolute(folder) ? folder : base_folder + folder);
    folder.EnsureTrailingBackslash();
    return tlwin::FolderExists(folder) ? folder : TLString();
}

// The "version" attribute as a decimal number; the user's locale (which startup has switched to) must
// not turn the point into something else.
double ReadVersion(const TLString& text) {
    TLString trimmed = text;
    const std::string bytes = trimmed.Trim().ToUtf8();
    double value = 0;
    std::from_chars(bytes.data(), bytes.data() + bytes.size(), value);
    return value;
}

void ReadSettings(TLXMLDocument& document, const TLString& base_folder, InstallSession& session) {
    const TLString support = ExistingFolder(document.GetChildData(u"SupportFiles"), base_folder);
    if (!support.empty()) session.SupportFolders.Add(support);
    const TLString downgrade = document.GetChildData(u"AllowDowngrade");
    if (!downgrade.empty()) session.AllowDowngrade = ReadConfigurationInteger(downgrade) != 0;
    const TLString media = ExistingFolder(document.GetChildData(u"BundledMedia"), base_folder);
    if (!media.empty()) session.BundledMediaFolder = media;
}

bool ReadInstallXml(const TLString& path, InstallSession& session) {
    TLString text;
    if (!tlxml::ReadTextFile(path, text)) return false;
    TLXMLDocument document;
    if (!document.SetDocument(text)) return false;
    if (!document.FindElement(u"/TLIC")) return false;
    if (ReadVersion(document.GetAttribute(u"version")) < 1.0) return false;
    if (!document.FindChildElement(u"Settings", true) || !document.IntoElement()) return false;
    const TLString full = tlwin::FullPath(path);
    ReadSettings(document, full.Left(full.ReverseFind(u'\\') + 1), session);
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

int ReadConfigurationInteger(const TLString& text) {
    size_t i = 0;
    while (i < text.length() && TLStringLibrary::IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.length() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    int64_t value = 0;
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int>::max()} + 1;
    for (; i < text.length() && TLStringLibrary::IsDigit(text[i]); ++i)
        value = std::min(value * 10 + (text[i] - u'0'), kLimit);
    if (negative) return static_cast<int>(-value);
    return static_cast<int>(std::min<int64_t>(value, std::numeric_limits<int>::max()));
}

void LoadInstallConfiguration() {
    TLScopedTrace trace(u"LoadInstallConfiguration");
    InstallSession& session = InstallSession::Get();
    const TLString folder = tlwin::ModuleFolder();
    session.SupportFolders.Add(folder + u"Support\\");
    session.LibraryFolder = folder + u"Library\\";
    TLString path = folder + u"Install.xml";
    if (!tlwin::FileExists(path)) path = folder + u"..\\Install.xml";
    const bool read = ReadInstallXml(path, session);
    LogConfiguration(path, read, session);
}

TLString FindSupportFile(const TLString& name, bool must_exist) {
    const TLStringArray& folders = InstallSession::Get().SupportFolders;
    for (size_t i = 0; i < folders.GetCount(); ++i) {
        const TLString candidate = folders[i] + name;
        if (!must_exist || tlwin::FileExists(candidate)) return candidate;
    }
    return TLString();
}

TLStringArray ListSupportPackages() {
    TLStringArray packages;
    const TLStringArray& folders = InstallSession::Get().SupportFolders;
    for (size_t i = 0; i < folders.GetCount(); ++i) {
        tlwin::ForEachEntry(folders[i], [&](const TLString& name, DWORD attributes) {
            // The pattern "*.qvp" would also match longer extensions through their short names.
            if (!tlwin::IsFolder(attributes) && name.EndsWithNoCase(u".qvp")) packages.Add(folders[i] + name);
            return true;
        });
    }
    return packages;
}
