"""The Settings and Help pages under Wine: the Send to shortcut, the help lookup, the About box,
the properties sheet and the maker's pages, pressed from outside through their command ids."""

import datetime
import subprocess
import time
import zoneinfo

import pytest

from harness import EXE, close_window, expect, no_box_for, start_window, wait_box_saying

IDOK, IDCANCEL, IDYES, IDNO = 1, 2, 6, 7


def send_to_folder(t):
    found = list(t.env.drive_c("users").glob("*/AppData/Roaming/Microsoft/Windows/SendTo"))
    expect(len(found) == 1, f"Send to folders in the prefix: {found}")
    relative = found[0].relative_to(t.env.drive_c())
    return found[0], "C:\\" + str(relative).replace("/", "\\")


def test_send_to_button_creates_then_cancel_leaves_the_shortcut(t):
    folder, windows_folder = send_to_folder(t)
    shortcut = folder / "Velmora.Lnk"
    if shortcut.exists():
        shortcut.unlink()
    shown_path = windows_folder + "\\Velmora.Lnk"
    run, window = start_window(t)
    try:
        t.command(window, "ButtonAddSendTo")
        c1 = wait_box_saying(t, "フォルダ 送る に \r\n" + shown_path + "\r\n新規作成しました。")
        expect(shortcut.exists(), "no Velmora.Lnk in Send to")
        t.driver("click", c1, str(IDOK))
        q2 = wait_box_saying(t, "フォルダ 送る を開きますか？")
        t.env.screenshot(t.screens / "shortcut-q2.png")
        t.driver("click", q2, str(IDNO))
        no_box_for(t, 1.0)
        before = shortcut.read_bytes()
        expect(before[:4] == b"L\x00\x00\x00", "Velmora.Lnk is not a shell link")
        expect("Velmora.exe".encode("utf-16-le") in before or b"Velmora.exe" in before,
               "the shortcut does not name the executable")

        t.command(window, "ButtonAddSendTo")
        q1 = wait_box_saying(t, "送る には既に Velmora.Lnk が存在します。\r\n更新しますか？\r\n\r\n"
                                "[はい]: 更新, [いいえ]: 削除, [Cancel]: 取消し")
        t.env.screenshot(t.screens / "shortcut-q1.png")
        t.driver("click", q1, str(IDCANCEL))
        no_box_for(t, 1.5)
        expect(shortcut.read_bytes() == before, "Cancel changed the shortcut")
    finally:
        close_window(t, run, window)
    shortcut.unlink()


def test_f1_without_a_help_file_names_the_file(t):
    for stale in (t.env.drive_c("Velmora/Velmora.chm"), t.env.drive_c("Velmora.chm")):
        expect(not stale.exists(), f"{stale} is in the way")
    run, window = start_window(t)
    try:
        t.command(window, "N1")
        box = wait_box_saying(t, "HelpFile Not Found.\r\n\r\nVelmora.chm")
        t.driver("click", box, str(IDOK))
    finally:
        close_window(t, run, window)


def test_help_file_in_the_parent_folder_is_handed_to_the_shell(t):
    recorder = t.env.windows_path(t.env.tools / "recorder.exe")
    t.env.reg_add(r"HKCR\.chm", "", "Velmora.TestHelp")
    t.env.reg_add(r"HKCR\Velmora.TestHelp\shell\open\command", "", f'"{recorder}" "%1"')
    help_file = t.env.drive_c("Velmora.chm")
    help_file.write_bytes(b"ITSF")
    t.fresh_record()
    run, window = start_window(t)
    try:
        t.command(window, "N1")
        opened = t.env.recorded(1)
        expect(opened == ["C:\\Velmora.chm"], f"recorded {opened}")
        no_box_for(t, 0.5)
    finally:
        close_window(t, run, window)
        help_file.unlink()


def kyiv_lines(moment):
    """The peace message for a UTC moment, from the system's zone database."""
    months = ["січень", "лютий", "березень", "квітень", "травень", "червень", "липень", "серпень", "вересень",
              "жовтень", "листопад", "грудень"]
    days = ["понеділок", "вівторок", "середа", "четвер", "пʼятниця", "субота", "неділя"]
    kyiv = moment.astimezone(zoneinfo.ZoneInfo("Europe/Kyiv"))
    summer = bool(kyiv.dst())
    shown = f"{kyiv.day} {months[kyiv.month - 1]} {kyiv.year:04d} {days[kyiv.weekday()]} {kyiv:%H:%M}"
    if summer:
        return f"Peace for Ukraine\r\n{shown}, Ukraine Standard Time (in Daylight Saving Time)"
    return f"Peace For Ukraine\r\n{shown}, Ukraine Standard Time"


def about_text_in_zone(t, zone, screenshot=None):
    saved = dict(t.env.env)
    subprocess.run(["wineserver", "-k"], env=t.env.env, stderr=subprocess.DEVNULL)
    t.env.env["TZ"] = zone
    try:
        run, window = start_window(t)
        try:
            before = datetime.datetime.now(datetime.timezone.utc)
            t.command(window, "About1")
            box = t.driver("wait", "Velmora", "#32770", "20000", check=False, timeout=60).strip()
            expect(box, "no About box")
            after = datetime.datetime.now(datetime.timezone.utc)
            rows = t.texts(box)
            if screenshot:
                time.sleep(0.5)
                t.env.screenshot(screenshot)
            buttons = [text for cls, ident, text in rows if cls == "Button"]
            expect(buttons == ["&OK"], f"buttons {buttons}")
            t.driver("send", box, "0x0111", str(IDCANCEL), "0")  # what Esc sends
            text = [text for cls, ident, text in rows if cls == "Static" and ident == 65535]
            expect(len(text) == 1, f"About statics {rows}")
            return text[0], {kyiv_lines(before), kyiv_lines(after)}
        finally:
            close_window(t, run, window)
    finally:
        subprocess.run(["wineserver", "-k"], env=t.env.env, stderr=subprocess.DEVNULL)
        t.env.env.clear()
        t.env.env.update(saved)


def check_about_text(t, text, kyiv_choices):
    lines = text.split("\r\n")
    expect(text.endswith("\r\n"), f"no trailing line break: {text!r}")
    expect(lines[0] == f"Velmora V2.1 ({t.file_version}) Release Build", f"line 1 {lines[0]!r}")
    expect(lines[1] == EXE, f"line 2 {lines[1]!r}")
    expect(lines[2] == "CurrentScreen 1280 x 1024", f"line 3 {lines[2]!r}")
    expect(lines[3:8] == ["", "Copyright (C) 2026 Quorrin", "velmora@quorrin.example",
                          "https://www.quorrin.example/", ""], f"lines 4-8 {lines[3:8]}")
    kyiv = "\r\n".join(lines[8:10])
    expect(kyiv in kyiv_choices, f"Kyiv lines {kyiv!r}, expected one of {kyiv_choices}")
    expect(lines[10:] == [""], f"after the Kyiv lines {lines[10:]}")


@pytest.mark.window
def test_ctrl_enter_about_box_in_kyiv_and_elsewhere(t):
    text, kyiv = about_text_in_zone(t, "Europe/Kyiv", t.screens / "about-kyiv.png")
    check_about_text(t, text, kyiv)
    text, kyiv = about_text_in_zone(t, "America/New_York", t.screens / "about-new-york.png")
    check_about_text(t, text, kyiv)


def test_maker_pages_open_in_the_browser(t):
    t.fresh_record()
    run, window = start_window(t)
    try:
        t.command(window, "ButtonDonation")
        expect(t.env.recorded(1) == ["https://www.quorrin.example/software/index3.html"], "donation page")
        t.command(window, "ButtonHomeSite")
        urls = t.env.recorded(2)
        expect(urls[1:] == ["https://www.quorrin.example/"], f"recorded {urls}")
    finally:
        close_window(t, run, window)


def test_alt_enter_asks_for_the_properties_sheet_without_waiting(t):
    run, window = start_window(t)
    try:
        t.command(window, "N2")
        t.command(window, "N2")
        no_box_for(t, 1.0)
        # The window still answers at once: the program did not wait for the sheet.
        started = time.monotonic()
        t.driver("send", window, "0x0000", "0", "0")  # WM_NULL
        expect(time.monotonic() - started < 10, "the window stopped answering")
    finally:
        close_window(t, run, window)


def test_send_to_again_yes_rewrites_an_edited_shortcut_and_no_deletes_it(t):
    folder, windows_folder = send_to_folder(t)
    shortcut = folder / "Velmora.Lnk"
    shown_path = windows_folder + "\\Velmora.Lnk"
    other = t.env.drive_c("Other/Elsewhere.exe")
    other.parent.mkdir(parents=True, exist_ok=True)
    other.write_bytes(b"MZ")
    t.driver("mklink", shown_path, r"C:\Other\Elsewhere.exe")
    expect(b"Elsewhere" in shortcut.read_bytes() or "Elsewhere".encode("utf-16-le") in shortcut.read_bytes(),
           "the edited shortcut was not written")
    q1_text = ("送る には既に Velmora.Lnk が存在します。\r\n更新しますか？\r\n\r\n"
               "[はい]: 更新, [いいえ]: 削除, [Cancel]: 取消し")
    run, window = start_window(t)
    try:
        t.command(window, "ButtonAddSendTo")
        t.driver("click", wait_box_saying(t, q1_text), str(IDYES))
        u1 = wait_box_saying(t, "フォルダ 送る の \r\n" + shown_path + "\r\n更新しました。")
        t.driver("click", u1, str(IDOK))
        t.driver("click", wait_box_saying(t, "フォルダ 送る を開きますか？"), str(IDNO))
        rewritten = shortcut.read_bytes()
        expect(b"Elsewhere" not in rewritten and "Elsewhere".encode("utf-16-le") not in rewritten,
               "the old target survived the rewrite")
        expect(b"Velmora.exe" in rewritten or "Velmora.exe".encode("utf-16-le") in rewritten,
               "the rewritten shortcut does not name the executable")

        t.command(window, "ButtonAddSendTo")
        t.driver("click", wait_box_saying(t, q1_text), str(IDNO))
        d1 = wait_box_saying(t, "フォルダ 送る から \r\n" + shown_path + "\r\n削除しました。")
        expect(not shortcut.exists(), "No did not delete the shortcut")
        t.driver("click", d1, str(IDOK))
        t.driver("click", wait_box_saying(t, "フォルダ 送る を開きますか？"), str(IDNO))
        no_box_for(t, 1.0)
    finally:
        close_window(t, run, window)
        if shortcut.exists():
            shortcut.unlink()
