#pragma once
// The decisions of a download that need no Windows: how a transfer ended, the progress of a large
// file, the error texts the user reads, the temporary download name and the loader's progress text.

#include <cstdint>

#include "core/string/tl_string.h"

namespace engine {

enum class DownloadEnd {
    kComplete,
    kCancelled,
    kReadError,   // the connection broke or the reader failed
    kTruncated,   // fewer bytes than the announced length
    kTooLong,     // more bytes than the announced length
    kWriteError,  // the target file took not all of it (a full disk)
    kBadData,     // a compressed body that does not decode
};

// How a transfer ended. `length` is the announced length, negative when none was announced (then
// every byte count is complete). A cancel outweighs everything else.
DownloadEnd JudgeTransfer(int64_t length, int64_t received, bool read_error, bool cancelled);

// The bar's position, 0 to 100, for `done` of `length` bytes; 64-bit all the way, so that a file of
// many megabytes does not overflow.
int ProgressPosition(int64_t done, int64_t length);

// The error texts of a set-up download, translated with the address or path put in afterwards.
TLString ReaderMissingText(const TLString& address);
TLString ServerErrorText(const TLString& address, const TLString& status_code, const TLString& status_text);
TLString CreateFileErrorText(const TLString& address, const TLString& path);
TLString WriteFileErrorText(const TLString& address, const TLString& path);
TLString InternetErrorText(const TLString& address);
TLString CancelledText();
TLString ChecksumMismatchText(const TLString& address);

// The error text for a transfer that did not complete (anything but kComplete).
TLString TransferErrorText(DownloadEnd end, const TLString& address, const TLString& path);

// The temporary file of a download without a target: "<temporary folder>TL Download (<thread>).dat".
TLString TemporaryDownloadName(const TLString& temporary_folder, unsigned thread_id);

// The loader's progress line: "Downloading" for network addresses, "Reading" for local ones, with the
// sizes done and, when known, in all ("Downloading 1.5 MB of 3.0 MB").
TLString LoadProgressText(bool network, int64_t done, int64_t total);

// Whether an address is fetched over the network ("http://", "https://", "ftp://") rather than read
// from a local or shared path.
bool IsNetworkAddress(const TLString& address);

}  // namespace engine
