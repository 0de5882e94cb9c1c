#include "core/string/tl_string.h"
#include "core/string/tl_string_library.h"

namespace TLStringLibrary {

TLString IncrementNumber(const TLString& name) {
    const size_t open = name.ReverseFind(u'(');
    if (name.Last() == u')' && open != TLString::npos) {
        const std::u16string_view digits = name.view().substr(open + 1, name.length() - open - 2);
        bool valid = !digits.empty() && digits.size() <= 4 && digits[0] != u'0';
        for (const char16_t c : digits) valid = valid && IsDigit(c);
        if (valid) return TLString::Format(u"%s(%d)", name.Left(open), TLString(digits).ToInt() + 1);
    }
    return TLString::Format(u"%s (%d)", name, 2);
}

}  // namespace TLStringLibrary
