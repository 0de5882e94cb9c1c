#include "app/install_xml.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

#include "core/string/tl_string_library.h"
#include "core/xml/tl_xml_document.h"

namespace {

TLString Trimmed(const TLString& text) {
    TLString trimmed = text;
    trimmed.Trim();
    return trimmed;
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

double ReadConfigurationVersion(const TLString& text) {
    std::string bytes = Trimmed(text).ToUtf8();
    // from_chars takes a "-" but no "+"; the version of a file may carry either.
    if (!bytes.empty() && bytes[0] == '+') bytes.erase(0, 1);
    double value = 0;
    std::from_chars(bytes.data(), bytes.data() + bytes.size(), value);
    return value;
}

InstallXmlSettings ReadInstallXml(const TLString& text) {
    InstallXmlSettings settings;
    TLXMLDocument document;
    if (!document.SetDocument(text) || !document.FindElement(u"/TLIC")) return settings;
    if (ReadConfigurationVersion(document.GetAttribute(u"version")) < 1.0) return settings;
    if (!document.FindChildElement(u"Settings", true) || !document.IntoElement()) return settings;
    settings.accepted = true;
    settings.support_files = Trimmed(document.GetChildData(u"SupportFiles"));
    const TLString downgrade = document.GetChildData(u"AllowDowngrade");
    if (!downgrade.empty()) settings.allow_downgrade = ReadConfigurationInteger(downgrade) != 0;
    settings.bundled_media = Trimmed(document.GetChildData(u"BundledMedia"));
    return settings;
}
