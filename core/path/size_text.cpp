#include "core/path/size_text.h"

#include <iterator>

namespace tlpath {

TLString SizeText(int64_t bytes) {
    static constexpr const char16_t* kUnits[] = {u"KB", u"MB", u"GB", u"TB", u"PB"};
    // The magnitude as unsigned, so that the most negative count has one too.
    const uint64_t magnitude = bytes < 0 ? 0 - static_cast<uint64_t>(bytes) : static_cast<uint64_t>(bytes);
    const TLString sign = bytes < 0 ? u"-"_tl : TLString();
    if (magnitude < 1024) return sign + TLString::Format(u"%I64u bytes", magnitude);

    size_t unit = 0;
    uint64_t divisor = 1024;
    while (unit + 1 < std::size(kUnits) && magnitude / divisor >= 1024) {
        divisor *= 1024;
        ++unit;
    }
    const double value = static_cast<double>(magnitude) / static_cast<double>(divisor);
    const TLString number =
        value >= 100 ? TLString::Format(u"%I64u", magnitude / divisor) : TLString::Format(u"%.1f", value);
    return sign + number + u" " + kUnits[unit];
}

}  // namespace tlpath
