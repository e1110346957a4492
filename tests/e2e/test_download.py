"""Taking a file in through the open dialog and downloading it again, against a web server on
127.0.0.1. The prefix's proxy setting sends the rebuilt http:// URLs to that server; their host
is under .invalid, so nothing could reach another machine even without it."""

import http.server
import ssl
import subprocess
import threading
import time
import urllib.parse

import pytest

from harness import close_window, expect

from web import FOLDER, HOST, NOT_SAVED, PAGE, SAVED, Pages, dialog, page_on_disk, serve, slowly, start, \
    take_in_through_open_dialog, wait_box


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


class SecurePages(Pages):
    table = {}
    requests = []


@pytest.fixture(scope="module")
def tls_site(t, tmp_path_factory):
    """An https:// server on 127.0.0.1 named localhost, with a certificate from a test CA that
    only this prefix trusts (added to its Root store by trust_ca.exe)."""
    folder = tmp_path_factory.mktemp("tls")
    openssl = ["openssl"]

    def run(*args):
        subprocess.run([*openssl, *args], cwd=folder, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    run("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "ca.key", "-out", "ca.pem", "-days", "2",
        "-subj", "/CN=Velmora Test CA")
    run("req", "-newkey", "rsa:2048", "-nodes", "-keyout", "site.key", "-out", "site.csr", "-subj", "/CN=localhost")
    (folder / "site.ext").write_text("subjectAltName=DNS:localhost\nextendedKeyUsage=serverAuth\n")
    run("x509", "-req", "-in", "site.csr", "-CA", "ca.pem", "-CAkey", "ca.key", "-CAcreateserial", "-out",
        "site.pem", "-days", "2", "-extfile", "site.ext")
    run("x509", "-in", "ca.pem", "-outform", "der", "-out", "ca.der")
    trusted = t.env.wine(t.env.windows_path(t.env.tools / "trust_ca.exe"), t.env.windows_path(folder / "ca.der"))
    expect(trusted.strip() == "trusted", f"the prefix did not take the test CA: {trusted!r}")

    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(folder / "site.pem", folder / "site.key")
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), SecurePages)
    server.socket = context.wrap_socket(server.socket, server_side=True)
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    yield server.server_address[1]
    server.shutdown()


def test_an_address_redirected_to_https_is_saved_byte_for_byte(t, tls_site):
    secure = f"https://localhost:{tls_site}/docs/secure.html"
    serve(t, {"/docs/secure.html": (301, b"", {"Location": secure})})
    SecurePages.table = {"/docs/secure.html": (200, PAGE)}
    target = page_on_disk(t, "secure.html", b"earlier copy")
    run, window = start(t)
    try:
        take_in_through_open_dialog(t, window, FOLDER + r"\secure.html")
        t.command(window, "ButtonResave")
        box, text = wait_box(t)
        expect(text == f"http://{HOST}/docs/secure.html\r\n{FOLDER}\\secure.html\r\n{SAVED}", f"box text {text!r}")
        expect(target.read_bytes() == PAGE, "the page on disk is not the secure server's")
        t.driver("click", box, "1")
    finally:
        close_window(t, run, window)
