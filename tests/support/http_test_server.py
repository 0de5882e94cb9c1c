#!/usr/bin/env python3
"""A small HTTP server for the download tests, on 127.0.0.1 only.

It serves the files of one folder in the ways a download can go wrong. The first part of the path
says how, the rest names the file:

  /files/NAME        the file with Content-Length and Last-Modified; "304" when If-Modified-Since is
                     not older than the file
  /nolength/NAME     the file without Content-Length (the end is the closed connection)
  /cut/NAME          Content-Length of the whole file, half of it sent, then the connection closed
  /gzip/NAME         the file gzip-compressed, with Content-Encoding: gzip
  /redirect/REST     302 to /REST
  /status/CODE/NAME  an empty answer with that status code
  /slow/NAME         the file with Content-Length, 1 KB every 50 ms

Every request line goes into the request log, one per line, as soon as it arrives. The chosen port
is written to the port file once the server listens. The server ends by itself after --idle seconds
without a request or --lifetime seconds in all, or when a file named like the port file with ".stop"
added appears; it removes its port file when it ends.
"""

import argparse
import email.utils
import gzip
import http.server
import os
import socketserver
import sys
import threading
import time


class Handler(http.server.BaseHTTPRequestHandler):
    # HTTP/1.0: every answer closes its connection, so no connection outlives its request.
    protocol_version = "HTTP/1.0"

    def log_message(self, format, *args):
        pass

    def record(self):
        server = self.server
        server.last_request = time.monotonic()
        with server.log_lock, open(server.request_log, "a", encoding="utf-8") as log:
            since = self.headers.get("If-Modified-Since")
            log.write(f"{self.command} {self.path}" + (f" If-Modified-Since: {since}" if since else "") + "\n")

    def file_bytes(self, name):
        path = os.path.join(self.server.root, os.path.basename(name))
        if not os.path.isfile(path):
            return None, None
        with open(path, "rb") as f:
            return f.read(), path

    def head(self, code, headers):
        self.send_response(code)
        for name, value in headers:
            self.send_header(name, value)
        self.end_headers()

    def do_GET(self):
        self.record()
        parts = self.path.lstrip("/").split("/", 1)
        mode, rest = parts[0], parts[1] if len(parts) > 1 else ""
        if mode == "redirect":
            self.head(302, [("Location", "/" + rest), ("Content-Length", "0")])
            return
        if mode == "status":
            code, _, _ = rest.partition("/")
            self.head(int(code), [("Content-Length", "0")])
            return
        body, path = self.file_bytes(rest)
        if body is None:
            self.head(404, [("Content-Length", "0")])
            return
        modified = int(os.path.getmtime(path))
        last_modified = email.utils.formatdate(modified, usegmt=True)
        try:
            if mode == "files":
                since = self.headers.get("If-Modified-Since")
                if since and email.utils.parsedate_to_datetime(since).timestamp() >= modified:
                    self.head(304, [("Last-Modified", last_modified)])
                    return
                self.head(200, [("Content-Length", str(len(body))), ("Last-Modified", last_modified)])
                self.wfile.write(body)
            elif mode == "nolength":
                self.head(200, [])
                self.wfile.write(body)
            elif mode == "cut":
                self.head(200, [("Content-Length", str(len(body)))])
                self.wfile.write(body[: len(body) // 2])
            elif mode == "gzip":
                packed = gzip.compress(body)
                self.head(200, [("Content-Length", str(len(packed))), ("Content-Encoding", "gzip")])
                self.wfile.write(packed)
            elif mode == "slow":
                self.head(200, [("Content-Length", str(len(body)))])
                # Bounded by the file's size: a cancelled client ends it early with a broken pipe.
                for start in range(0, len(body), 1024):
                    self.wfile.write(body[start : start + 1024])
                    self.wfile.flush()
                    time.sleep(0.05)
            else:
                self.head(404, [("Content-Length", "0")])
        except (BrokenPipeError, ConnectionResetError):
            pass


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--request-log", required=True)
    parser.add_argument("--idle", type=float, default=60)
    parser.add_argument("--lifetime", type=float, default=600)
    args = parser.parse_args()

    server = Server(("127.0.0.1", 0), Handler)
    server.root = args.root
    server.request_log = args.request_log
    server.log_lock = threading.Lock()
    server.last_request = time.monotonic()
    server.timeout = 0.2
    open(args.request_log, "w").close()
    # Written under another name and renamed, so that a reader never sees half a number.
    with open(args.port_file + ".new", "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(args.port_file + ".new", args.port_file)

    started = time.monotonic()
    while True:
        now = time.monotonic()
        if now - started > args.lifetime or now - server.last_request > args.idle:
            break
        if os.path.exists(args.port_file + ".stop"):
            break
        server.handle_request()
    server.server_close()
    # Tells the test that started it that it is gone.
    try:
        os.remove(args.port_file)
    except FileNotFoundError:
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
