#include "engine/pending/pending_records.h"

namespace engine {

TLString ReplaceRecord(const TLString& staged, const TLString& destination) {
    return TLString::Format(u"%s|%s", staged, destination);
}

TLString DeleteRecord(const TLString& path) { return ReplaceRecord(kDeleteFileMarker, path); }

TLString RegisterRecord(const TLString& path) { return ReplaceRecord(kRegisterFileMarker, path); }

}  // namespace engine
