#include "app/system_checks/browser_check.h"

#include <limits>

#include "core/tools/tools.h"

namespace syschecks {
namespace {

// The number at the start of `text` (saturating), and the rest after the next dot.
uint64_t TakeField(std::u16string_view& text) {
    uint64_t value = 0;
    size_t i = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        const uint64_t digit = text[i] - u'0';
        value = value > (std::numeric_limits<uint64_t>::max() - digit) / 10 ? std::numeric_limits<uint64_t>::max()
                                                                            : value * 10 + digit;
    }
    const size_t dot = text.find(u'.', i);
    text = dot == std::u16string_view::npos ? std::u16string_view() : text.substr(dot + 1);
    return value;
}

}  // namespace

int CompareDottedVersions(std::u16string_view a, std::u16string_view b) {
    while (!a.empty() || !b.empty()) {
        const uint64_t left = TakeField(a);
        const uint64_t right = TakeField(b);
        if (left != right) return left < right ? -1 : 1;
    }
    return 0;
}

TLString MinimumBrowserVersion() {
    const TLString minimum = tools::ProductString(u"/*/SpecialFeatures/MinIEVersion", TLString());
    return minimum.empty() ? TLString(kDefaultMinimumBrowserVersion) : minimum;
}

bool BrowserComponentSufficient(const BrowserComponent& browser, const TLString& minimum) {
    return browser.available && CompareDottedVersions(browser.version, minimum) >= 0;
}

}  // namespace syschecks
