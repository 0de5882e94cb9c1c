#pragma once
// The records of the pending lists, formatted "%s|%s".

#include "core/string/tl_string.h"

namespace engine {

inline constexpr char16_t kDeleteFileMarker[] = u"_DELETEFILE";
inline constexpr char16_t kRegisterFileMarker[] = u"_REGISTERFILE";

// "staged|destination": the staged copy replaces the destination at the next start.
TLString ReplaceRecord(const TLString& staged, const TLString& destination);
// "_DELETEFILE|path": the file is deleted at the next start.
TLString DeleteRecord(const TLString& path);
// "_REGISTERFILE|path": the COM server is registered at the next start.
TLString RegisterRecord(const TLString& path);

}  // namespace engine
