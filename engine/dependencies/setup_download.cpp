#include "engine/dependencies/setup_download.h"

#include "core/tools/reader.h"
#include "core/tools/scoped_trace.h"
#include "core/tools/tools.h"
#include "engine/dependencies/body_transfer.h"
#include "engine/dependencies/download_file.h"

namespace engine {
namespace {

bool Fail(TLScopedTrace& trace, TLString& error_text, TLString text) {
    tools::Log(u"DownloadSetupFile", text, tltools::ILogger::kError);
    error_text = std::move(text);
    trace.SetResult(0);
    return false;
}

}  // namespace

bool DownloadSetupFile(const SetupDownload& download, IInstallProgress& progress, TLString& error_text) {
    TLScopedTrace trace(u"DownloadSetupFile");
    const TLString& address = download.address;
    tools::LogFormat(u"DownloadSetupFile", u"From %s to \"%s\"", address, download.target);
    progress.SetRange(100);
    progress.SetPosition(0);
    tools::Reader reader = tools::CreateInternetReader(address);
    if (!reader) return Fail(trace, error_text, ReaderMissingText(address));
    if (!reader->Open())
        return Fail(trace, error_text,
                    ServerErrorText(address, reader->GetProperty(u"StatusCode"), reader->GetProperty(u"StatusText")));
    CDownloadFile file;
    if (!file.Create(download.target)) return Fail(trace, error_text, CreateFileErrorText(address, download.target));
    const int64_t length = reader->ContentLength();
    // Without a length nobody can tell a complete set-up program from a cut one.
    if (length <= 0) return Fail(trace, error_text, InternetErrorText(address));

    const TransferResult transfer = TransferBody(*reader, length, file, [&](int64_t received) {
        progress.DispatchMessages();
        if (progress.CancelRequested()) return false;
        progress.SetPosition(ProgressPosition(received, length));
        return true;
    });
    reader->Close();
    reader.reset();
    tools::LogFormat(u"DownloadSetupFile", u"%d of %d bytes received", transfer.received, length);
    if (transfer.end != DownloadEnd::kComplete) {
        const DownloadEnd end = progress.CancelRequested() ? DownloadEnd::kCancelled : transfer.end;
        return Fail(trace, error_text, TransferErrorText(end, address, download.target));
    }
    if (!download.expected_sha256.empty()) {
        const std::string digest = file.Sha256Hex();
        if (!Sha256Matches(download.expected_sha256, digest)) {
            tools::LogFormat(u"DownloadSetupFile", u"SHA-256 %s, expected %s", TLString::FromUtf8(digest),
                             download.expected_sha256);
            return Fail(trace, error_text, ChecksumMismatchText(address));
        }
    }
    if (!file.Keep()) return Fail(trace, error_text, WriteFileErrorText(address, download.target));
    progress.SetPosition(100);
    trace.SetResult(1);
    return true;
}

}  // namespace engine
