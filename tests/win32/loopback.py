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
    /named/<name>  the request line exactly as it arrived (bytes), a line feed, then 600 bytes
                   of the pattern: what the client put on the wire, saved with the page
    /no-location   302 without a Location header
    /other-scheme  302 to an ftp:// address on 127.0.0.1
    /halves/<n>/delete/<P>       n bytes in two halves; between them the Unix folder P is removed,
    /halves/<n>/rename/<P>/<Q>   or P renamed to Q, as a user might meanwhile (P and Q escaped,
                                 their slashes too: the address carries no query)

With --small-volume (as root) a 64 KiB tmpfs is mounted and given to the prefix as drive V:,
named in VELMORA_SMALL_DRIVE; without root the variable stays unset and the tests that need it
say why they did not run.
"""

import http.server
import os
import pathlib
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse

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

    def redirect(self, location):
        self.send_response(302)
        if location:
            self.send_header("Location", location)
        self.send_header("Content-Length", "0")
        self.end_headers()

    def halves(self, size, action, target, renamed=None):
        self.send_response(200)
        self.send_header("Content-Length", str(size))
        self.send_header("Connection", "close")
        self.end_headers()
        body = pattern(size)
        self.wfile.write(body[:size // 2])
        self.wfile.flush()
        time.sleep(0.3)  # the client is writing the first half by now
        if action == "delete":
            shutil.rmtree(target, ignore_errors=True)
        elif action == "rename":
            os.rename(target, renamed)
        self.wfile.write(body[size // 2:])

    def do_GET(self):
        parts = urllib.parse.urlsplit(self.path)
        path = parts.path
        if path == "/no-location":
            self.redirect(None)
        elif path == "/other-scheme":
            self.redirect(f"ftp://127.0.0.1:{os.environ.get('VELMORA_REFUSED_PORT', '1')}/page.html")
        elif path.startswith("/halves/"):
            _, _, size, action, *paths = path.split("/")
            self.halves(int(size), action, *[urllib.parse.unquote(p) for p in paths])
        elif path.startswith("/named/"):
            self.send_body(200, self.requestline.encode("iso-8859-1") + b"\n" + pattern(600))
        elif path.startswith("/body/"):
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


class SmallVolume:
    """A 64 KiB tmpfs, small enough to fill, given to a Wine prefix as drive V: until close().
    Mounting needs root; without it `reason` says why there is none (and `link` is None)."""

    def __init__(self, prefix):
        self.mount = self.link = None
        self.reason = ""
        if os.geteuid() != 0:
            self.reason = "not root: mounting the small volume to fill needs root"
            return
        self.mount = pathlib.Path(tempfile.mkdtemp(prefix="velmora-small-volume-"))
        if subprocess.run(["mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", str(self.mount)]).returncode != 0:
            self.reason = "mounting a tmpfs failed"
            self.mount.rmdir()
            self.mount = None
            return
        self.link = pathlib.Path(prefix) / "dosdevices" / "v:"
        if self.link.is_symlink():
            self.link.unlink()
        self.link.symlink_to(self.mount)

    def close(self):
        if self.link:
            self.link.unlink()
        if self.mount:
            subprocess.run(["umount", str(self.mount)])
            self.mount.rmdir()


def main():
    args = sys.argv[1:]
    seconds = 600
    volume = None
    if args[:1] == ["--seconds"]:
        seconds = int(args[1])
        args = args[2:]
    if args[:1] == ["--small-volume"]:
        volume = SmallVolume(os.environ.get("WINEPREFIX", pathlib.Path(__file__).resolve().parents[2] / "build"
                                            / "windows" / "wineprefix"))
        if volume.reason:
            print(f"loopback: no small volume ({volume.reason}); the full-volume case is skipped")
        args = args[1:]
    if args[:1] == ["--"]:
        args = args[1:]
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    env = dict(os.environ, VELMORA_LOOPBACK_PORT=str(server.server_address[1]),
               VELMORA_REFUSED_PORT=str(refused_port()))
    os.environ["VELMORA_REFUSED_PORT"] = env["VELMORA_REFUSED_PORT"]
    if volume and volume.link:
        env["VELMORA_SMALL_DRIVE"] = "V:"
    try:
        return subprocess.run(args, env=env, timeout=seconds).returncode
    except subprocess.TimeoutExpired:
        print(f"loopback: the command ran longer than {seconds} s", file=sys.stderr)
        return 1
    finally:
        server.shutdown()
        server.server_close()
        if volume:
            volume.close()


if __name__ == "__main__":
    sys.exit(main())
