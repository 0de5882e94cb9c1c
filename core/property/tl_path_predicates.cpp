#include "tl_path_predicates.h"

namespace {

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
    return text.size() >= prefix.size() && TLString::Constant(text.data(), prefix.size()).EqualsNoCase(prefix);
}

// "(0x" + eight hexadecimal digits + "):\" and at least one more character.
bool IsVolumeSerialPath(std::u16string_view text) {
    return text.size() > 14 && text.starts_with(u"(0x") && text[11] == u')' && text[12] == u':' && text[13] == u'\\';
}

// "(" + one or more upper-case letters + ":", as in "(CD:Track 1".
bool IsNamedLocationPath(std::u16string_view text) {
    size_t i = 1;
    if (text.empty() || text[0] != u'(') return false;
    while (i < text.size() && text[i] >= u'A' && text[i] <= u'Z') ++i;
    return i > 1 && i < text.size() && text[i] == u':';
}

// The drive part of a folder: "D:" or "\\server\share"; empty when it has none.
std::u16string_view DriveOf(std::u16string_view folder) {
    const bool letter = folder.size() >= 2 && folder[1] == u':' &&
                        ((folder[0] >= u'A' && folder[0] <= u'Z') || (folder[0] >= u'a' && folder[0] <= u'z'));
    if (letter) return folder.substr(0, 2);
    if (!folder.starts_with(u"\\\\")) return {};
    const size_t server_end = folder.find(u'\\', 2);
    if (server_end == std::u16string_view::npos || server_end == 2 || server_end + 1 >= folder.size()) return {};
    const size_t share_end = folder.find(u'\\', server_end + 1);
    if (share_end == server_end + 1) return {};
    return folder.substr(0, share_end);
}

}  // namespace

bool IsXMLFilename(std::u16string_view text) { return StartsWithNoCase(text, u"<XMLFN version="); }

bool IsPlainLocalPath(std::u16string_view text) {
    if (text.empty() || IsVolumeSerialPath(text) || IsNamedLocationPath(text)) return false;
    for (std::u16string_view marker : {u"://", u".tvlb", u".tltv", u".tvgd"})
        if (text.find(marker) != std::u16string_view::npos) return false;
    return !StartsWithNoCase(text, u"<XMLPH version=");
}

bool ExpandInstallDrive(TLString& path, std::u16string_view program_folder) {
    constexpr std::u16string_view kPrefix = u"(Install Drive):";
    if (!StartsWithNoCase(path, kPrefix)) return false;
    const std::u16string_view drive = DriveOf(program_folder);
    if (drive.empty()) return false;
    path = TLString(drive) + path.view().substr(kPrefix.size());
    return true;
}
