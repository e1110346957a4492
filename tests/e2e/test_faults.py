"""What a full disk, a read-only file and answers that are not the page do to a user's files:
nothing. The small volume is a tmpfs this run mounts itself (so the cases need root) and gives
to the prefix as drive V:."""

import pathlib
import shutil
import sys
import time

import pytest

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "win32"))
import loopback  # noqa: E402

from harness import close_window, expect, statics, wait_box_saying
from web import HOST, NOT_SAVED, PAGE, page_on_disk, serve, start, take_in_through_open_dialog

STREAM_WRITE_ERROR = "Stream write error."
BIG = bytes(i % 251 for i in range(200_000))  # more than the whole small volume


@pytest.fixture
def small_volume(t):
    """A 64 KiB volume as drive V: of the prefix, unmounted again after the case."""
    volume = loopback.SmallVolume(t.env.prefix)
    if not volume.link:
        pytest.skip(volume.reason)
    yield volume.mount
    volume.close()


def fill(volume):
    """Takes every free byte of the volume."""
    try:
        with open(volume / "filler", "wb", buffering=0) as filler:
            while True:
                filler.write(b"\0" * 4096)
    except OSError:
        pass


def strays(folder):
    return sorted(path.name for path in folder.iterdir() if path.name.startswith("~"))


def test_resave_onto_a_full_volume_keeps_the_old_bytes_and_reports_the_write(t, small_volume):
    serve(t, {"/docs/page.html": (200, BIG)})
    page = small_volume / HOST / "docs" / "page.html"
    page.parent.mkdir(parents=True)
    page.write_bytes(b"earlier copy")
    run, window = start(t)
    try:
        take_in_through_open_dialog(t, window, rf"V:\{HOST}\docs\page.html")
        t.command(window, "ButtonResave")
        box = wait_box_saying(t, STREAM_WRITE_ERROR)
        t.env.screenshot(t.screens / "full-volume-resave.png")
        t.driver("click", box, "1")
        handle = t.driver("wait", "Velmora", "#32770", "1500", check=False).strip()
        expect(not handle, f"a result box followed: {statics(t, handle) if handle else ''}")
        expect(page.read_bytes() == b"earlier copy", "the old bytes are gone")
        expect(strays(page.parent) == [], f"a temporary file remains: {strays(page.parent)}")
    finally:
        close_window(t, run, window)


@pytest.mark.settings
def test_settings_on_a_full_volume_keep_their_bytes_and_the_close_is_refused(t, small_volume):
    roaming = t.user_settings_file().parent.parent
    if roaming.exists() and not roaming.is_symlink():
        shutil.rmtree(roaming)
    roaming.parent.mkdir(parents=True, exist_ok=True)
    roaming.symlink_to(small_volume)
    settings = small_volume / "Velmora" / "Velmora.ini"
    settings.parent.mkdir()
    settings.write_bytes(b"[POSITION]\r\nLeft=100\r\nTop=120\r\nRight=520\r\nBottom=540\r\n"
                         b"[MODE]\r\nCloseQuery=0\r\nSaveStatus=1\r\n")
    before = settings.read_bytes()
    fill(small_volume)
    run, window = start(t)
    try:
        t.driver("close", window)
        box = wait_box_saying(t, STREAM_WRITE_ERROR)
        t.driver("click", box, "1")
        time.sleep(0.5)
        expect(t.wait_window("Velmora", "TForm1", 2000) == window, "the window closed")
        expect(settings.read_bytes() == before, "the settings file changed")
        expect(sorted(p.name for p in settings.parent.iterdir()) == ["Velmora.ini"], "a temporary file remains")
        expect(t.driver("accepts-drops", window).strip() == "yes", "drops are no longer accepted")
    finally:
        (small_volume / "filler").unlink()
        close_window(t, run, window)
        roaming.unlink()


def test_resave_onto_a_read_only_file_names_it_and_changes_nothing(t):
    serve(t, {"/docs/locked.html": (200, PAGE)})
    page = page_on_disk(t, "locked.html", b"earlier copy")
    t.env.wine("attrib", "+r", rf"C:\Mirror\{HOST}\docs\locked.html")
    run, window = start(t)
    try:
        take_in_through_open_dialog(t, window, rf"C:\Mirror\{HOST}\docs\locked.html")
        t.command(window, "ButtonResave")
        # The system's own words, in its language, their full stop ("." or "。") made one ".".
        reason = t.driver("error-text", "5").strip().rstrip(".。")
        wanted = f'Cannot create file "C:\\Mirror\\{HOST}\\docs\\locked.html". {reason}.'
        box = wait_box_saying(t, wanted)
        t.driver("click", box, "1")
        expect(page.read_bytes() == b"earlier copy", "the read-only file changed")
        expect(strays(page.parent) == [], "a temporary file remains")
    finally:
        t.env.wine("attrib", "-r", rf"C:\Mirror\{HOST}\docs\locked.html")
        close_window(t, run, window)


def test_a_redirect_without_a_location_is_not_saved_as_the_page(t):
    serve(t, {"/docs/moved.html": (302, b"<html>moved, but not saying where</html>")})
    page = page_on_disk(t, "moved.html", b"earlier copy")
    run, window = start(t)
    try:
        take_in_through_open_dialog(t, window, rf"C:\Mirror\{HOST}\docs\moved.html")
        t.command(window, "ButtonResave")
        url = f"http://{HOST}/docs/moved.html"
        notice = wait_box_saying(t, f"{url}\r\nサーバがエラーを返しました (HTTP 302)")
        t.driver("click", notice, "1")
        result = wait_box_saying(t, f"{url}\r\nC:\\Mirror\\{HOST}\\docs\\moved.html\r\n{NOT_SAVED}")
        t.driver("click", result, "1")
        expect(page.read_bytes() == b"earlier copy", "the redirect's body replaced the page")
    finally:
        close_window(t, run, window)
