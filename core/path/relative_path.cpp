#include "core/path/relative_path.h"

#include <array>

namespace tlpath {
namespace {

bool IsDeviceName(std::u16string_view name) {
    // The device is named by the part before the first dot: "nul.txt" opens NUL too.
    const size_t dot = name.find(u'.');
    std::u16string_view base = name.substr(0, dot);
    static constexpr std::array<std::u16string_view, 6> kDevices = {u"CON", u"PRN", u"AUX", u"NUL",
                                                                     u"CONIN$", u"CONOUT$"};
    auto equals_no_case = [](std::u16string_view a, std::u16string_view b) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i) {
            char16_t c = a[i];
            if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
            if (c != b[i]) return false;
        }
        return true;
    };
    for (std::u16string_view device : kDevices)
        if (equals_no_case(base, device)) return true;
    if (base.size() == 4 && (equals_no_case(base.substr(0, 3), u"COM") || equals_no_case(base.substr(0, 3), u"LPT")))
        // Superscript digits name ports too.
        return (base[3] >= u'0' && base[3] <= u'9') || base[3] == u'\u00B9' || base[3] == u'\u00B2' ||
               base[3] == u'\u00B3';
    return false;
}

bool IsSafeName(std::u16string_view name) {
    if (name == u"." || name == u"..") return false;
    if (name.back() == u'.' || name.back() == u' ') return false;
    for (char16_t c : name)
        if (c < 32 || c == u':' || c == u'*' || c == u'?' || c == u'"' || c == u'<' || c == u'>' || c == u'|')
            return false;
    return !IsDeviceName(name);
}

}  // namespace

bool SplitRelativePath(std::u16string_view path, std::vector<TLString>& names) {
    names.clear();
    if (path.empty() || path[0] == u'\\' || path[0] == u'/') return false;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find_first_of(u"\\/", start);
        if (end == std::u16string_view::npos) end = path.size();
        const std::u16string_view name = path.substr(start, end - start);
        if (!name.empty()) {
            if (!IsSafeName(name)) {
                names.clear();
                return false;
            }
            names.emplace_back(name);
        }
        start = end + 1;
    }
    return !names.empty();
}

}  // namespace tlpath
