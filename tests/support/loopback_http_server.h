#pragma once
// The download tests' HTTP server (tests/support/http_test_server.py), started on the Linux side for
// one test on 127.0.0.1 and a free port. It serves the files of a folder in the ways a download can
// go wrong (see the script) and logs every request. It ends shortly after the object goes, or by
// itself after a quiet minute.

#include <string>
#include <vector>

#include "core/string/tl_string.h"
#include "tests/support/win_test_support.h"

namespace tltest {

class LoopbackHttpServer {
public:
    // Serves the files of `root`; keeps its port and request log in `state_folder` (both Windows
    // folders with a trailing backslash, the second made when missing).
    LoopbackHttpServer(const TLString& root, const TLString& state_folder);
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    bool running() const { return port_ != 0; }
    // "http://127.0.0.1:<port>/" followed by `path` ("files/setup.exe").
    TLString Address(std::u16string_view path) const;
    // The request lines received so far ("GET /files/setup.exe"), in order.
    std::vector<std::string> Requests() const;

private:
    TLString state_;
    int port_ = 0;
};

}  // namespace tltest
