"""What only a Japanese machine (code page 932) shows: pages and programs in folders with
Japanese names, an ideographic space and characters outside the BMP, taken in every way a user
gives a file; the Save As proposal, the help lookup, the About box, the Send to shortcut and the
settings file of an exe in such a folder. The wire form of an address runs on every machine."""

import datetime
import pathlib
import re
import shutil
import subprocess
import urllib.parse
import zoneinfo

import pytest

from harness import EXE, Run, close_window, expect, no_box_for, wait_box_saying
from test_command_line import SEVERAL_FILES
from test_shortcuts_help import IDNO, IDOK, send_to_folder
from web import FOLDER, HOST, PAGE, SAVED, Pages, dialog, page_on_disk, serve
from xdnd import drop_files

japanese = pytest.mark.japanese

PAGES = [
    "C:\\ミラー\\www.例え.jp\\記事\\ページ\u3000一.html",  # an ideographic space inside a name
    "C:\\Mirror\\www.example.com\\日本語\\\U00020BB7野家.html",  # 𠮷, a surrogate pair
    "C:\\保存\\ja.wikipedia.org\\wiki\\寿司\U0001F363.html",  # an emoji
    "C:\\ソフト\\www.表示.jp\\能力\\予定表.htm",  # ソ 表 能 予 end in byte 0x5C, "\", in Shift_JIS
]
# Wine reads a shortcut's target back in the ANSI code page only (the link file holds the whole
# name, which Windows reads), so shortcuts are tried with the names code page 932 spells.
LINKED = [path for path in PAGES if path.encode("cp932", "replace").decode("cp932") == path]
TOOLS = r"C:\ツール"


def url_of(path):
    """The address of a saved page: its components from the first with a dot, joined by "/"."""
    parts = path.split("\\")
    host = next(index for index, part in enumerate(parts) if "." in part)
    return "http://" + "/".join(parts[host:])


def local(t, path):
    """The Unix file behind a C:\\ path of the prefix."""
    return t.env.drive_c(path[3:].replace("\\", "/"))


def on_disk(t, path, content=b"<html></html>"):
    file = local(t, path)
    file.parent.mkdir(parents=True, exist_ok=True)
    file.write_bytes(content)
    return file


def start_from(t, exe=EXE):
    """Velmora started without an argument from `exe` (a copy is put there first)."""
    if not local(t, exe).exists():
        local(t, exe).parent.mkdir(parents=True, exist_ok=True)
        shutil.copy2(t.exe, local(t, exe))
    t.fresh_record()
    run = Run(t.env, f'"{exe}"')
    return run, t.wait_window("Velmora", "TForm1")


def take_in(t, window, path):
    t.command(window, "ButtonSelectFile")
    opened = dialog(t, "Open")
    t.driver("settext", opened, "1152", path)
    t.driver("click", opened, "1")


def recorded_last(t, count):
    """The URL recorded `count`-th, once it is there; an empty list when none came."""
    return t.env.recorded(count)[count - 1:count]


@japanese
def test_command_line_opens_the_address_of_japanese_paths(t):
    # Unquoted too, as a launcher that quotes only paths with a blank passes them: the
    # ideographic space does not split an argument.
    for path in PAGES:
        for line in (f'"{EXE}" "{path}"', f'"{EXE}" {path}'):
            t.fresh_record()
            code, windows = Run(t.env, line).finish()
            expect(code == 0 and windows == [], f"{line}: exit {code}, windows {windows}")
            urls = t.env.recorded(1)
            expect(urls == [url_of(path)], f"{line}: recorded {urls}")


@japanese
def test_files_dragged_from_another_x_client_open_their_addresses(t):
    files = [on_disk(t, path) for path in PAGES]
    run, window = start_from(t)
    try:
        for count, (path, file) in enumerate(zip(PAGES, files), 1):
            drop_files(t, "Velmora", [file])
            expect(recorded_last(t, count) == [url_of(path)], f"{path}: recorded {t.env.recorded(count)}")
        # Several at once: the notice comes before anything opens, then only the first is taken.
        # The first offered is not the page taken in last, so a repeat would not pass for it.
        several = files[1:] + files[:1]
        drop_files(t, "Velmora", several)
        notice = wait_box_saying(t, SEVERAL_FILES)
        expect(len(t.env.recorded(len(PAGES) + 1, timeout=1.0)) == len(PAGES),
               "an address opened before the notice was dismissed")
        t.driver("click", notice, str(IDOK))
        urls = t.env.recorded(len(PAGES) + 2, timeout=2.0)
        expect(urls[len(PAGES):] == [url_of(PAGES[1])], f"after the drop of several: {urls[len(PAGES):]}")
    finally:
        close_window(t, run, window)


@japanese
def test_open_dialog_takes_japanese_paths(t):
    for path in PAGES:
        on_disk(t, path)
    run, window = start_from(t)
    try:
        for count, path in enumerate(PAGES, 1):
            take_in(t, window, path)
            expect(recorded_last(t, count) == [url_of(path)], f"{path}: recorded {t.env.recorded(count)}")
    finally:
        close_window(t, run, window)


@japanese
def test_a_japanese_shortcut_on_the_command_line_opens_its_targets_address(t):
    expect(len(LINKED) >= 2, f"shortcut targets {LINKED}")
    for path in LINKED:
        on_disk(t, path)
        link = rf"C:\リンク\{pathlib.PureWindowsPath(path).stem} へのショートカット.lnk"
        local(t, link).parent.mkdir(parents=True, exist_ok=True)
        t.driver("mklink", link, path)
        t.fresh_record()
        code, windows = Run(t.env, f'"{EXE}" "{link}"').finish()
        expect(code == 0 and windows == [], f"{link}: exit {code}, windows {windows}")
        urls = t.env.recorded(1)
        expect(urls == [url_of(path)], f"{link}: recorded {urls}")


def local_now(t):
    """The local time as the system tells it, as yyyymmdd-HHNNSSzzz."""
    return t.driver("format-now").split("\t")[0]


@pytest.fixture
def japan_time(t):
    """A Japanese machine's clock, Japan Standard Time, nine hours ahead of UTC: a time taken in
    UTC where the local time belongs shows. Wine takes the zone from TZ when its server starts."""
    saved = dict(t.env.env)
    subprocess.run(["wineserver", "-k"], env=t.env.env, stderr=subprocess.DEVNULL)
    t.env.env["TZ"] = "Asia/Tokyo"
    try:
        shown = datetime.datetime.strptime(local_now(t)[:15], "%Y%m%d-%H%M%S")
        tokyo = datetime.datetime.now(zoneinfo.ZoneInfo("Asia/Tokyo")).replace(tzinfo=None)
        expect(abs(shown - tokyo) < datetime.timedelta(minutes=1), f"the prefix's time {shown}, Tokyo's {tokyo}")
        yield
    finally:
        subprocess.run(["wineserver", "-k"], env=t.env.env, stderr=subprocess.DEVNULL)
        t.env.env.clear()
        t.env.env.update(saved)


def requested(host, path):
    """Whether the server was asked for exactly one page, `path` on `host`, as sent (the raw
    request target: escapes as they came)."""
    return [(urllib.parse.urlsplit(target).hostname, urllib.parse.urlsplit(target).path)
            for target in Pages.requests] == [(host, path)]


@japanese
def test_save_as_proposes_the_japanese_name_stamped_with_the_moment_of_the_press(t, japan_time):
    folder = r"C:\ミラー\www.例え.invalid\記事"
    source_path = folder + r"\記事.html"
    wire = "/" + urllib.parse.quote("記事/記事.html")
    serve(t, {wire: (200, PAGE)})
    source = on_disk(t, source_path, b"earlier copy")
    for old in source.parent.glob("記事-*"):
        old.unlink()
    run, window = start_from(t)
    try:
        take_in(t, window, source_path)
        before = local_now(t)
        t.command(window, "ButtonSaveAs")
        saving = dialog(t, "Save")
        after = local_now(t)
        names = [text for cls, cid, text in t.texts(saving) if cls == "Edit" and cid == 1152]
        proposed = re.fullmatch(r"記事-(\d{8}-\d{9})\.html", names[0] if names else "")
        expect(proposed, f"proposed {names}")
        # Fixed-width digits: the stamps sort as the times they name.
        expect(before <= proposed[1] <= after, f"proposed {names[0]}, pressed between {before} and {after}")
        t.driver("click", saving, "1")
        box = wait_box_saying(t, f"{url_of(source_path)}\r\n{folder}\\{names[0]}\r\n保存しました")
        expect((source.parent / names[0]).read_bytes() == PAGE, "the new file is not the server's page")
        expect(source.read_bytes() == b"earlier copy", "the source changed")
        idna = "www." + "例え".encode("idna").decode() + ".invalid"
        expect(requested(idna, wire), f"the host goes out in its IDNA form: requests {Pages.requests}")
        t.driver("click", box, str(IDOK))
    finally:
        close_window(t, run, window)


@japanese
def test_help_is_looked_up_through_japanese_folders(t):
    exe = TOOLS + r"\ヘルプ\Velmora.exe"
    for folder in (TOOLS + r"\ヘルプ", TOOLS, "C:"):
        expect(not local(t, folder + r"\Velmora.chm").exists(), f"a Velmora.chm in {folder} is in the way")
    run, window = start_from(t, exe)
    try:
        t.command(window, "N1")
        t.driver("click", wait_box_saying(t, "HelpFile Not Found.\r\n\r\nVelmora.chm"), str(IDOK))
    finally:
        close_window(t, run, window)

    recorder = t.env.windows_path(t.env.tools / "recorder.exe")
    t.env.reg_add(r"HKCR\.chm", "", "Velmora.TestHelp")
    t.env.reg_add(r"HKCR\Velmora.TestHelp\shell\open\command", "", f'"{recorder}" "%1"')
    help_file = on_disk(t, TOOLS + r"\Velmora.chm", b"ITSF")
    try:
        run, window = start_from(t, exe)
        try:
            t.command(window, "N1")
            opened = t.env.recorded(1)
            expect(opened == [TOOLS + r"\Velmora.chm"], f"recorded {opened}")
            no_box_for(t, 0.5)
        finally:
            close_window(t, run, window)
    finally:
        help_file.unlink()


@japanese
def test_about_box_names_the_japanese_path_it_was_started_from(t):
    for exe in (TOOLS + r"\Velmora.exe", "C:\\\U00020BB7野家\\ツール\u3000一\\Velmora.exe"):
        run, window = start_from(t, exe)
        try:
            t.command(window, "About1")
            about = t.wait_window("Velmora", "#32770")
            rows = t.texts(about)
            t.driver("send", about, "0x0111", "2", "0")  # what Esc sends
            text = [text for cls, ident, text in rows if cls == "Static" and ident == 65535]
            expect(len(text) == 1, f"About statics {rows}")
            lines = text[0].split("\r\n")
            expect(len(lines) > 2 and lines[1] == exe, f"started from {exe}, About lines {lines[:3]}")
        finally:
            close_window(t, run, window)


@japanese
def test_send_to_shortcut_of_an_exe_in_a_japanese_folder_points_back_at_it(t):
    exe = TOOLS + r"\Velmora.exe"
    folder, windows_folder = send_to_folder(t)
    shortcut = folder / "Velmora.Lnk"
    if shortcut.exists():
        shortcut.unlink()
    run, window = start_from(t, exe)
    try:
        t.command(window, "ButtonAddSendTo")
        made = f"フォルダ 送る に \r\n{windows_folder}\\Velmora.Lnk\r\n新規作成しました。"
        t.driver("click", wait_box_saying(t, made), str(IDOK))
        t.driver("click", wait_box_saying(t, "フォルダ 送る を開きますか？"), str(IDNO))
        target = t.driver("readlink", windows_folder + r"\Velmora.Lnk").strip()
        expect(target == exe, f"the shortcut leads to {target!r}, not {exe!r}")
    finally:
        close_window(t, run, window)
        if shortcut.exists():
            shortcut.unlink()


def shown_between(t, before, after):
    """Every LastClose the system would write for a moment from `before` to `after` (whole
    seconds): the short date, a space and the long time; the date alone at exact midnight."""
    start, end = (datetime.datetime.strptime(stamp[:15], "%Y%m%d-%H%M%S") for stamp in (before, after))
    seconds = int((end - start).total_seconds()) + 1
    shown = set()
    for line in t.driver("format-time", before[:15], str(seconds)).splitlines():
        stamp, date, clock = line.split("\t")
        shown.add(f"{date} {clock}")
        if stamp[9:15] == "000000":
            shown.add(date)
    return shown


def program_values(text):
    inside, found = False, {}
    for line in text.split("\r\n"):
        if line.startswith("["):
            inside = line == "[PROGRAM]"
        elif inside and "=" in line:
            key, _, value = line.partition("=")
            found[key] = value
    return found


@japanese
def test_settings_of_an_exe_in_a_japanese_folder_are_written_in_code_page_932(t, japan_time):
    roaming = t.user_settings_file().parent.parent.parent
    foreign = "[日本]\r\nキー=値\r\n".encode("cp932")
    for exe in (TOOLS + r"\Velmora.exe", r"C:\ソフト\表\ヴェルモラ.exe"):
        base = pathlib.PureWindowsPath(exe).stem
        settings = roaming / "Quorrin" / base / f"{base}.ini"
        settings.parent.mkdir(parents=True, exist_ok=True)
        settings.write_bytes(foreign)
        run, window = start_from(t, exe)
        before = local_now(t)
        close_window(t, run, window)
        after = local_now(t)
        written, text = settings.read_bytes(), t.settings_text(settings)
        settings.unlink()
        expect(foreign in written, f"the section of another program did not come back: {written!r}")
        values = program_values(text)
        ini_file = "C:\\" + str(settings.relative_to(t.env.drive_c())).replace("/", "\\")
        folder, name = exe.rsplit("\\", 1)
        wanted = {"Name": name, "Path": folder, "IniFile": ini_file}
        expect({key: values.get(key) for key in wanted} == wanted, f"{exe}: [PROGRAM] {values}")
        shown = values.get("LastClose")
        expect(shown in shown_between(t, before, after), f"LastClose {shown!r}, closed from {before} to {after}")


def test_resave_asks_for_the_path_in_its_wire_form_and_keeps_the_body(t):
    name = "\U00020BB7野家 #1 %41 100%.html"
    # UTF-8 escapes for what is not ASCII, the space and "#"; an escape already there is kept,
    # a lone "%" escaped.
    wire = "/docs/" + urllib.parse.quote("\U00020BB7野家") + "%20%231%20%41%20100%25.html"
    body = PAGE[::-1]
    serve(t, {wire: (200, body)})
    page = page_on_disk(t, name, b"earlier copy")
    path = FOLDER + "\\" + name
    run, window = start_from(t)
    try:
        take_in(t, window, path)
        expect(t.env.recorded(1) == [url_of(path)], f"recorded {t.env.recorded(1)}")
        t.command(window, "ButtonResave")
        box = wait_box_saying(t, f"{url_of(path)}\r\n{path}\r\n{SAVED}")
        expect(requested(HOST, wire), f"requests {Pages.requests}")
        expect(page.read_bytes() == body, "the page on disk is not the server's body")
        t.driver("click", box, str(IDOK))
    finally:
        close_window(t, run, window)
