"""Taking a file in through the open dialog and downloading it again, against a web server on
127.0.0.1. The prefix's proxy setting sends the rebuilt http:// URLs to that server; their host
is under .invalid, so nothing could reach another machine even without it."""

import http.server
import threading
import time
import urllib.parse

from harness import close_window, expect, start_window

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

    def do_GET(self):
        path = urllib.parse.urlsplit(self.path).path
        Pages.requests.append(self.path)
        status, body = Pages.table.get(path, (404, b"no such page"))
        if callable(body):
            return body(self)
        self.send_response(status)
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
    texts = [text for cls, _, text in t.texts(box) if cls == "Static"]
    return box, max(texts, key=len) if texts else ""


def dialog(t, caption):
    handle = t.wait_window(caption, "#32770")
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


def test_resave_downloads_over_the_file_taken_in(t):
    serve(t, {"/docs/page.html": (200, PAGE)})
    target = page_on_disk(t, "page.html", b"earlier copy")
    run, window = start(t)
    take_in_through_open_dialog(t, window, FOLDER + r"\page.html")
    t.command(window, "ButtonResave")
    box, text = wait_box(t)
    t.env.screenshot(t.screens / "resave-done.png")
    expected = f"http://{HOST}/docs/page.html\r\n{FOLDER}\\page.html\r\n{SAVED}"
    expect(text == expected, f"box text {text!r}")
    expect(target.read_bytes() == PAGE, "the page on disk is not the server's")
    expect([p.name for p in target.parent.iterdir() if p.name.startswith("~")] == [], "a stray file remains")
    asked = [(urllib.parse.urlsplit(r).hostname, urllib.parse.urlsplit(r).path) for r in Pages.requests]
    expect(asked == [(HOST, "/docs/page.html")], f"requests {Pages.requests}")
    t.driver("click", box, "1")
    close_window(t, run, window)


def test_save_as_downloads_into_the_proposed_name(t):
    serve(t, {"/docs/page.html": (200, PAGE)})
    source = page_on_disk(t, "page.html", b"earlier copy")
    for old in source.parent.glob("page-*.html"):
        old.unlink()
    run, window = start(t)
    take_in_through_open_dialog(t, window, FOLDER + r"\page.html")
    t.command(window, "ButtonSaveAs")
    saving = dialog(t, "Save")
    names = [text for cls, cid, text in t.texts(saving) if cls == "Edit" and cid == 1152]
    expect(names and names[0].startswith("page-") and names[0].endswith(".html") and len(names[0]) == 28,
           f"proposed name {names}")
    t.env.screenshot(t.screens / "save-as-dialog.png")
    t.driver("click", saving, "1")
    box, text = wait_box(t)
    expected = f"http://{HOST}/docs/page.html\r\n{FOLDER}\\{names[0]}\r\n保存しました"
    expect(text == expected, f"box text {text!r}")
    expect((source.parent / names[0]).read_bytes() == PAGE, "the new file is not the server's page")
    expect(source.read_bytes() == b"earlier copy", "the source changed")
    t.driver("click", box, "1")
    close_window(t, run, window)


def test_resave_against_a_404_keeps_the_file_and_says_why(t):
    serve(t, {})
    target = page_on_disk(t, "gone.html", b"earlier copy")
    run, window = start(t)
    take_in_through_open_dialog(t, window, FOLDER + r"\gone.html")
    t.command(window, "ButtonResave")
    url = f"http://{HOST}/docs/gone.html"
    box, text = wait_box(t)
    t.env.screenshot(t.screens / "resave-404.png")
    expect(text == f"{url}\r\nサーバがエラーを返しました (HTTP 404)", f"first box {text!r}")
    t.driver("click", box, "1")
    time.sleep(0.5)
    box, text = wait_box(t)
    expect(text == f"{url}\r\n{FOLDER}\\gone.html\r\n{NOT_SAVED}", f"second box {text!r}")
    expect(target.read_bytes() == b"earlier copy", "the file changed")
    expect(sorted(p.name for p in target.parent.iterdir() if p.name.startswith("~")) == [], "a stray file remains")
    t.driver("click", box, "1")
    close_window(t, run, window)


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


def test_closing_during_a_download_keeps_the_file_and_shows_nothing(t):
    serve(t, {"/docs/slow.html": (200, slowly)})
    target = page_on_disk(t, "slow.html", b"earlier copy")
    run, window = start(t)
    take_in_through_open_dialog(t, window, FOLDER + r"\slow.html")
    t.command(window, "ButtonResave")
    deadline = time.monotonic() + 15
    while not [p for p in target.parent.iterdir() if p.name.startswith("~")] and time.monotonic() < deadline:
        time.sleep(0.1)
    expect([p for p in target.parent.iterdir() if p.name.startswith("~")], "the download did not start")
    time.sleep(0.5)
    t.driver("close", window)
    code, windows = run.finish(timeout=30)
    expect(code == 0, f"exit code {code}")
    expect(["#32770", "Velmora"] not in windows, f"a box was shown: {windows}")
    expect(target.read_bytes() == b"earlier copy", "the file changed")
    expect([p.name for p in target.parent.iterdir() if p.name.startswith("~")] == [], "a stray file remains")


def test_open_dialog_comes_back_with_the_last_choice(t):
    page_on_disk(t, "page.html", b"earlier copy")
    run, window = start(t)
    take_in_through_open_dialog(t, window, FOLDER + r"\page.html")
    t.command(window, "ButtonSelectFile")
    opened = dialog(t, "Open")
    t.env.screenshot(t.screens / "open-dialog-again.png")
    names = [text for cls, cid, text in t.texts(opened) if cls == "Edit" and cid == 1152]
    expect(names == [FOLDER + r"\page.html"], f"file-name box {names}")
    t.driver("click", opened, "2")
    time.sleep(0.5)
    expect(t.env.recorded(2, timeout=1.0) == [f"http://{HOST}/docs/page.html"], "a cancelled dialog opened a URL")
    close_window(t, run, window)
