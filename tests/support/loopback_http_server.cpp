#include "tests/support/loopback_http_server.h"

#include <cstdlib>
#include <sstream>

#include "tests/support/unix_side.h"

namespace tltest {

LoopbackHttpServer::LoopbackHttpServer(const TLString& root, const TLString& state_folder) : state_(state_folder) {
    if (!MakeFolders(state_)) return;
    const std::string script = UnixPath(SourcePath(u"tests/support/http_test_server.py"));
    const std::string port_file = UnixPath(state_ + u"port");
    if (script.empty() || port_file.empty() ||
        !SpawnUnixProgram({"/usr/bin/python3", script, "--root", UnixPath(root), "--port-file", port_file,
                           "--request-log", UnixPath(state_ + u"requests.log"), "--idle", "60", "--lifetime",
                           "600"},
                          false))
        return;
    // The server writes its port once it listens; a loaded machine may take a while to start Python.
    const ULONGLONG start = GetTickCount64();
    while (GetTickCount64() - start < 60000) {
        const std::string port = ReadFileBytes(state_ + u"port");
        if (!port.empty()) {
            port_ = std::atoi(port.c_str());
            return;
        }
        Sleep(20);
    }
}

LoopbackHttpServer::~LoopbackHttpServer() {
    if (!running()) return;
    const HANDLE stop = CreateFileW((state_ + u"port.stop").wc(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (stop != INVALID_HANDLE_VALUE) CloseHandle(stop);
    // The server looks for the stop file five times a second; the state folder may go once it ended.
    const ULONGLONG start = GetTickCount64();
    while (FileExists(state_ + u"port") && GetTickCount64() - start < 5000) {
        Sleep(20);
    }
}

TLString LoopbackHttpServer::Address(std::u16string_view path) const {
    return TLString::Format(u"http://127.0.0.1:%d/", port_) + path;
}

std::vector<std::string> LoopbackHttpServer::Requests() const {
    std::vector<std::string> lines;
    std::istringstream log(ReadFileBytes(state_ + u"requests.log"));
    for (std::string line; std::getline(log, line);)
        if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace tltest
