#pragma once
// The file a download writes. The bytes go to "<target>.download" beside the target, which becomes
// the target only once the whole download was accepted: a download that fails, is cancelled or is
// cut off by the end of the process never leaves a file under the target's name that someone might
// run. Whatever is not kept is deleted when the object ends.

#include <windows.h>

#include <string>

#include "core/string/tl_string.h"
#include "engine/dependencies/body_transfer.h"
#include "engine/dependencies/sha256.h"

namespace engine {

class CDownloadFile final : public IBodySink {
public:
    CDownloadFile() = default;
    ~CDownloadFile() { Discard(); }
    CDownloadFile(const CDownloadFile&) = delete;
    CDownloadFile& operator=(const CDownloadFile&) = delete;

    // Makes the target's folder and the partial file; false when either cannot be made.
    bool Create(const TLString& target);
    bool Write(const char* data, int size) override;
    // The SHA-256 of everything written; once, after the last Write.
    std::string Sha256Hex() { return hash_.FinishHex(); }
    // Puts the file in place under the target's name, replacing what is there.
    bool Keep();
    // Deletes what was written; a file already under the target's name stays as it was.
    void Discard();

    static TLString PartialName(const TLString& target) { return target + u".download"; }

private:
    void CloseFile();

    TLString target_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    Sha256 hash_;
    bool made_ = false;
};

}  // namespace engine
