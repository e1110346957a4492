#!/usr/bin/env python3
"""A web server on 127.0.0.1 for the downloader's tests, started and stopped around one command.

    loopback.py [--seconds N] -- command args...

The command runs with VELMORA_LOOPBACK_PORT set to the server's port and VELMORA_REFUSED_PORT
to a port on which nothing listens. The server answers only these paths:

    /body/<n>      n bytes of the pattern byte(i) = (i * 7 + 3) % 251
    /empty         200 with no body
    /status/<code> that status with a small HTML page
    /cut           announces 100000 bytes, sends 1000, then drops the connection
    /redirect      302 to /body/520
"""

import http.server
import os
import socket
import subprocess
import sys
import threading

PATTERN = bytes((i * 7 + 3) % 251 for i in range(251 * 64))


def pattern(size):
    whole, rest = divmod(size, len(PATTERN))
    return PATTERN * whole + PATTERN[:rest]


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def send_body(self, status, body, length=None):
        self.send_response(status)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(len(body) if length is None else length))
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        path = self.path
        if path.startswith("/body/"):
            size = int(path[len("/body/"):])
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Length", str(size))
            self.send_header("Connection", "close")
            self.end_headers()
            sent = 0
            while sent < size:
                piece = PATTERN[:min(len(PATTERN), size - sent)]
                self.wfile.write(piece)
                sent += len(piece)
        elif path == "/empty":
            self.send_body(200, b"")
        elif path.startswith("/status/"):
            code = int(path[len("/status/"):])
            self.send_body(code, f"<html><body><h1>{code}</h1></body></html>".encode())
        elif path == "/cut":
            self.send_body(200, pattern(1000), length=100000)
            self.wfile.flush()
            self.connection.shutdown(socket.SHUT_RDWR)
            self.close_connection = True
        elif path == "/redirect":
            self.send_response(302)
            self.send_header("Location", "/body/520")
            self.send_header("Content-Length", "0")
            self.end_headers()
        else:
            self.send_body(404, b"no such path")


def refused_port():
    probe = socket.socket()
    probe.bind(("127.0.0.1", 0))
    port = probe.getsockname()[1]
    probe.close()
    return port


def main():
    args = sys.argv[1:]
    seconds = 600
    if args[:1] == ["--seconds"]:
        seconds = int(args[1])
        args = args[2:]
    if args[:1] == ["--"]:
        args = args[1:]
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    env = dict(os.environ, VELMORA_LOOPBACK_PORT=str(server.server_address[1]),
               VELMORA_REFUSED_PORT=str(refused_port()))
    try:
        return subprocess.run(args, env=env, timeout=seconds).returncode
    except subprocess.TimeoutExpired:
        print(f"loopback: the command ran longer than {seconds} s", file=sys.stderr)
        return 1
    finally:
        server.shutdown()
        server.server_close()


if __name__ == "__main__":
    sys.exit(main())
