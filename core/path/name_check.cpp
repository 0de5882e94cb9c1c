#include "core/path/name_check.h"

#include "core/path/path_parts.h"

namespace tlpath {

bool CheckName(const TLString& path) {
    TLString plain = WithoutLongPathPrefix(path);
    if (plain.length() >= 2 && plain[1] == u':') plain = plain.Mid(2);
    return plain.FindOneOf(u":/*?\"<>|") == TLString::npos;
}

}  // namespace tlpath
