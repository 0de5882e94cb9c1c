#pragma once
// What the text of an Install.xml says, before any of its folders is looked for. No file access
// here: the rules of the format are plain functions of the text.

#include <optional>

#include "core/string/tl_string.h"

struct InstallXmlSettings {
    // Root "TLIC" with a "version" of at least 1.0 and a "Settings" element; nothing else counts
    // otherwise.
    bool accepted = false;
    // The folder texts as written (trimmed); empty when absent. Relative ones are relative to the
    // folder that holds the file.
    TLString support_files;
    TLString bundled_media;
    // Empty when the element is missing or empty: the default stays.
    std::optional<bool> allow_downgrade;
};

InstallXmlSettings ReadInstallXml(const TLString& text);

// An integer text of Install.xml: leading white space, an optional sign, decimal digits up to the
// first other character; no digits give 0 and values beyond 32 bits saturate.
int ReadConfigurationInteger(const TLString& text);

// The "version" attribute: leading white space, an optional "+", then a decimal number with a point
// whatever the user's locale; 0 when there is none.
double ReadConfigurationVersion(const TLString& text);
