"""The web the end-to-end cases download from: a server on 127.0.0.1 that the prefix's proxy
setting sends every http:// request to, and the steps that take a page in and save it again.
Hosts are under .invalid, so nothing could reach another machine even without the proxy."""

import http.server
import select
import socket
import threading
import time
import urllib.parse

from harness import expect, start_window, statics

HOST = "www.velmora.invalid"
FOLDER = rf"C:\Mirror\{HOST}\docs"
PAGE = bytes((i * 7 + 3) % 251 for i in range(1500))  # three reads and a bit
SAVED = "再保存しました"
NOT_SAVED = "再保存できませんでした"


class Pages(http.server.BaseHTTPRequestHandler):
    """A proxy in name only: it answers every request from its own table of paths."""
    protocol_version = "HTTP/1.1"
    table = {}
    requests = []

    def log_message(self, *args):
        pass

    def do_CONNECT(self):
        """An https:// request comes as a tunnel; only to this machine, to the test's TLS site."""
        host, _, port = self.path.rpartition(":")
        if host not in ("localhost", "127.0.0.1"):
            self.send_error(403)
            return
        upstream = socket.create_connection(("127.0.0.1", int(port)))
        self.send_response(200, "Connection established")
        self.end_headers()
        sockets = [self.connection, upstream]
        try:
            while True:
                readable, _, _ = select.select(sockets, [], [], 30)
                if not readable:
                    break
                for source in readable:
                    data = source.recv(65536)
                    if not data:
                        return
                    (upstream if source is self.connection else self.connection).sendall(data)
        finally:
            upstream.close()
            self.close_connection = True

    def do_GET(self):
        path = urllib.parse.urlsplit(self.path).path
        type(self).requests.append(self.path)
        # (status, body) or (status, body, extra headers); a callable body answers itself.
        status, body, *headers = type(self).table.get(path, (404, b"no such page"))
        if callable(body):
            return body(self)
        self.send_response(status)
        for name, value in (headers[0] if headers else {}).items():
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.write(body)


_server = None


def serve(t, table):
    global _server
    Pages.table = table
    Pages.requests = []
    if _server is None:
        _server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Pages)
        _server.daemon_threads = True
        threading.Thread(target=_server.serve_forever, daemon=True).start()
        settings = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings"
        t.env.reg_add(settings, "ProxyEnable", "1", kind="REG_DWORD")
        t.env.reg_add(settings, "ProxyServer", f"127.0.0.1:{_server.server_address[1]}")


def page_on_disk(t, name, content):
    path = t.env.drive_c(f"Mirror/{HOST}/docs/{name}")
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(content)
    return path


def wait_box(t, timeout_ms=20000):
    box = t.wait_window("Velmora", "#32770", timeout_ms)
    texts = statics(t, box)
    return box, max(texts, key=len) if texts else ""


# The system's own dialogs are captioned in the system's language.
DIALOG_CAPTIONS = {932: {"Open": "開く", "Save": "保存"}}


def dialog(t, caption):
    """The open ("Open") or save ("Save") dialog, as this machine captions it."""
    handle = t.wait_window(DIALOG_CAPTIONS.get(t.env.code_page, {}).get(caption, caption), "#32770")
    time.sleep(0.5)
    return handle


def take_in_through_open_dialog(t, window, path):
    t.command(window, "ButtonSelectFile")
    opened = dialog(t, "Open")
    t.driver("settext", opened, "1152", path)
    t.driver("click", opened, "1")
    urls = t.env.recorded(1)
    expect(urls == [f"http://{HOST}/docs/{path.rsplit(chr(92), 1)[1]}"], f"recorded {urls}")


def start(t):
    t.fresh_record()
    return start_window(t)


def slowly(handler, seconds=20, piece=520):
    """A long body trickling in: 520 bytes every 20 ms until the client goes away."""
    handler.send_response(200)
    handler.send_header("Content-Length", str(piece * seconds * 50))
    handler.send_header("Connection", "close")
    handler.end_headers()
    try:
        for _ in range(seconds * 50):
            handler.wfile.write(PAGE[:piece])
            handler.wfile.flush()
            time.sleep(0.02)
    except OSError:
        pass
