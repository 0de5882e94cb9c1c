#include "core/path/free_name.h"

#include "core/path/path_parts.h"

namespace tlpath {
namespace {

// The number of a stem that ends in " (n)", or 0 (and the stem unchanged) when it has none.
int64_t SplitNumber(TLString& stem) {
    if (stem.Last() != u')') return 0;
    const size_t open = stem.ReverseFind(u'(');
    if (open == TLString::npos || open < 1 || stem[open - 1] != u' ') return 0;
    const TLString digits = stem.Mid(open + 1, stem.length() - open - 2);
    if (digits.empty() || digits.length() > 9) return 0;
    for (char16_t c : digits.view())
        if (c < u'0' || c > u'9') return 0;
    stem.Truncate(open - 1);
    return digits.ToInt64();
}

}  // namespace

TLString NextNumberedName(const TLString& path) {
    TLString body = path;
    const bool folder = body.Last() == u'\\';
    body.RemoveTrailingBackslashes();

    const TLString extension = ExtensionOf(body);
    TLString stem = body.Left(body.length() - extension.length());
    const int64_t number = SplitNumber(stem);
    TLString next = stem + TLString::Format(u" (%I64d)", number < 2 ? int64_t{2} : number + 1) + extension;
    if (folder) next.EnsureTrailingBackslash();
    return next;
}

}  // namespace tlpath
