#include "engine/dependencies/download_rules.h"

#include "core/path/size_text.h"
#include "core/tools/tools.h"

namespace engine {

DownloadEnd JudgeTransfer(int64_t length, int64_t received, bool read_error, bool cancelled) {
    if (cancelled) return DownloadEnd::kCancelled;
    if (read_error) return DownloadEnd::kReadError;
    if (length >= 0 && received < length) return DownloadEnd::kTruncated;
    if (length >= 0 && received > length) return DownloadEnd::kTooLong;
    return DownloadEnd::kComplete;
}

int ProgressPosition(int64_t done, int64_t length) {
    if (length <= 0 || done <= 0) return 0;
    if (done >= length) return 100;
    return static_cast<int>(done * 100 / length);
}

namespace {

TLString FailedPrefix(const TLString& address) {
    return tools::Translate(u"Failed to download from") + u" \n" + address + u"\n";
}

}  // namespace

TLString ReaderMissingText(const TLString& address) {
    return TLString::Format(tools::Translate(u"Failed to download from \n%s\nInternet reader not found."), address);
}

TLString ServerErrorText(const TLString& address, const TLString& status_code, const TLString& status_text) {
    return TLString::Format(u"%s \n%s\n%s: %s %s", tools::Translate(u"Failed to download from"), address,
                            tools::Translate(u"Server returned"), status_code, status_text);
}

TLString CreateFileErrorText(const TLString& address, const TLString& path) {
    return TLString::Format(u"%s \n%s\n%s\n%s.", tools::Translate(u"Failed to download from"), address,
                            tools::Translate(u"Can not create file"), path);
}

TLString WriteFileErrorText(const TLString& address, const TLString& path) {
    return TLString::Format(u"%s \n%s\n%s\n%s.", tools::Translate(u"Failed to download from"), address,
                            tools::Translate(u"Can not write file"), path);
}

TLString InternetErrorText(const TLString& address) {
    return TLString::Format(tools::Translate(u"Failed to download from \n%s\nInternet error."), address);
}

TLString CancelledText() { return tools::Translate(u"Downloading of setup file was canceled."); }

TLString ChecksumMismatchText(const TLString& address) {
    return FailedPrefix(address) +
           tools::Translate(u"The downloaded file is not the one expected: its SHA-256 check sum differs.");
}

TLString TransferErrorText(DownloadEnd end, const TLString& address, const TLString& path) {
    switch (end) {
        case DownloadEnd::kCancelled: return CancelledText();
        case DownloadEnd::kWriteError: return WriteFileErrorText(address, path);
        default: return InternetErrorText(address);
    }
}

TLString TemporaryDownloadName(const TLString& temporary_folder, unsigned thread_id) {
    return TLString::Format(u"%sTL Download (%d).dat", temporary_folder, static_cast<int64_t>(thread_id));
}

TLString LoadProgressText(bool network, int64_t done, int64_t total) {
    const TLString verb = tools::Translate(network ? u"Downloading" : u"Reading");
    if (total <= 0) return verb + u" " + tlpath::SizeText(done);
    return verb + u" " + tlpath::SizeText(done) + u" " + tools::Translate(u"of") + u" " + tlpath::SizeText(total);
}

bool IsNetworkAddress(const TLString& address) {
    return address.StartsWithNoCase(u"http://") || address.StartsWithNoCase(u"https://") ||
           address.StartsWithNoCase(u"ftp://");
}

}  // namespace engine
