#include "core/path/path_parts.h"

namespace tlpath {
namespace {

constexpr std::u16string_view kPrefix = u"\\\\?\\";
constexpr std::u16string_view kUncPrefix = u"\\\\?\\UNC\\";

bool IsLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

size_t NameStart(const TLString& path) {
    const size_t slash = path.ReverseFind(u'\\');
    return slash == TLString::npos ? 0 : slash + 1;
}

}  // namespace

TLString WithLongPathPrefix(const TLString& path) {
    if (path.length() < kLongPathLength || path.StartsWith(kPrefix)) return path;
    if (path.StartsWith(u"\\\\")) return kUncPrefix + path.Mid(2);
    return kPrefix + path;
}

TLString WithoutLongPathPrefix(const TLString& path) {
    if (path.StartsWithNoCase(kUncPrefix)) return u"\\\\" + path.Mid(kUncPrefix.size());
    if (path.StartsWith(kPrefix)) return path.Mid(kPrefix.size());
    return path;
}

bool HasDriveOrServer(const TLString& path) {
    const TLString plain = WithoutLongPathPrefix(path);
    if (plain.length() >= 3 && IsLetter(plain[0]) && plain[1] == u':' && plain[2] == u'\\') return true;
    return plain.length() >= 3 && plain.StartsWith(u"\\\\") && plain[2] != u'\\';
}

TLString FolderOf(const TLString& path) { return path.Left(NameStart(path)); }

TLString NameOf(const TLString& path) { return path.Mid(NameStart(path)); }

TLString ExtensionOf(const TLString& path) {
    const TLString name = NameOf(path);
    const size_t dot = name.ReverseFind(u'.');
    return dot == TLString::npos || dot == 0 ? TLString() : name.Mid(dot);
}

}  // namespace tlpath
