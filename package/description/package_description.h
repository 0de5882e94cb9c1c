#pragma once
// What a package file says: its name, its package-level action words and its component files with
// the commands to run on each. Packages come in two forms, XML (root "QVPF") and the older INI form;
// both are read here into the same description, without touching the file system.

#include <functional>
#include <optional>
#include <vector>

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"
#include "core/xml/tl_xml_document.h"

namespace package {

struct FileAction {
    TLString command;  // an upper-case word such as "COPY_PLUGINDIR"
    TLString param;
    friend bool operator==(const FileAction&, const FileAction&) = default;
};

struct FileEntry {
    TLString file;  // relative to the package's folder, or an "http://" or "ftp://" address
    TLString type;  // XML form only; "URL" for an entry whose file is an address
    std::vector<FileAction> actions;
    friend bool operator==(const FileEntry&, const FileEntry&) = default;
};

// How far a load came: nothing read, the root accepted, then each of name, URL and version read.
enum LoadState { kNotLoaded = 0, kRootAccepted = 3, kNameRead = 4, kUrlRead = 5, kVersionRead = 6 };

struct PackageDescription {
    bool xml_form = false;
    TLString name;
    TLString url;  // the page shown when the installation fails
    TLString version;
    TLStringArray package_actions;  // the "|"-separated words, in order
    TLString action_options;        // INI form only, carried to the executor as it is
    std::vector<FileEntry> entries;
    bool has_file_actions = false;  // "HasActions" is "1", or the INI form has a "File1"
    int state = kNotLoaded;

    bool HasPackageAction(std::u16string_view word) const { return package_actions.Find(word) != TLString::npos; }
};

// The words of an action text split at "|", empty words left out.
TLStringArray SplitActionWords(std::u16string_view text);

// The XML form from a parsed document; false when the root is not "QVPF" with version "2.0" or "2".
bool ReadXmlPackage(TLXMLDocument& document, PackageDescription& description);

// A value of the INI form by section and key; nothing when the key is missing.
using ProfileValue = std::function<std::optional<TLString>(std::u16string_view section, std::u16string_view key)>;

// The INI form: [Package] "Action" and "ActionOpt", [Action] "File1"... with "File1Action1"...;
// numbering ends at the first missing number.
void ReadIniPackage(const ProfileValue& value, PackageDescription& description);

}  // namespace package
