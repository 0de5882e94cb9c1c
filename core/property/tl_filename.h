#pragma once
// TLFilename: a file name that carries extra named data. Its text is the plain file name while there
// is no extra data, else the file-name form:
//   <XMLFN version="1.0"><Item Name="Filename">name</Item><Item Name="key">value</Item>...</XMLFN>
// Plain text may also carry data in the older suffix form "C:\Music\a.mp3;track=3", which is read into
// the property "PostExtensionData".

#include "core/property/tl_property_map.h"
#include "core/string/tl_string.h"

class TLFilename {
public:
    TLFilename() = default;
    explicit TLFilename(const TLString& text) { Parse(text, true); }

    // Reads either form; `clear_properties` empties the extra data first, else parsed data is added.
    void Parse(const TLString& text, bool clear_properties);
    TLString Compose() const;

    const TLString& GetFilename() const { return filename_; }
    void SetFilename(const TLString& filename) { filename_ = filename; }
    TLPropertyMap& Properties() { return properties_; }
    const TLPropertyMap& Properties() const { return properties_; }

private:
    void ParseXML(const TLString& text);
    void ParseSuffixForm(const TLString& text);

    TLString filename_;
    TLPropertyMap properties_;
};
