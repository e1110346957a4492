"""The main window and its settings file: what a user sees on each page, the keys, closing with
and without the question, the placement kept across starts and the end of the session."""

import time

import pytest

from harness import expect, placed, start_window, statics

pytestmark = [pytest.mark.window, pytest.mark.settings]

CLOSE_QUESTION = "終了してよいですか？"
WM_QUERYENDSESSION = 0x0011
VK_ESCAPE = 0x1B

ID_YES, ID_NO = 6, 7


def sections(t, path):
    text = t.settings_text(path)
    return [line[1:-1] for line in text.split("\r\n") if line.startswith("[")]


def start(t):
    run, window = start_window(t)
    time.sleep(0.3)
    return run, window


def state_of(t, window, control_id):
    return t.driver("control", window, str(control_id)).strip().split("\t")


def finish_closed(run):
    code, _ = run.finish()
    expect(code == 0, f"exit code {code}")


def test_controls_carry_their_captions_and_hints(t):
    t.clear_settings()
    run, window = start(t)
    children = {(cls, cid): text for cls, cid, text in t.texts(window)}
    hints = {}
    for line in t.driver("hints", window).splitlines():
        control_id, _, text = line.partition("\t")
        hints[int(control_id)] = text
    for control in t.layout()["controls"]:
        shown = children.get(("Button", control["id"]))
        expect(shown == control["caption"], f"{control['name']} shows {shown!r}, not {control['caption']!r}")
        if control["hint"]:
            hint = hints.get(control["id"])
            expect(hint == control["hint"], f"hint of {control['name']}: {hint!r}, not {control['hint']!r}")
    for name in ("ButtonResave", "ButtonSaveAs", "ButtonOpenFolder"):
        expect(state_of(t, window, t.id(name))[1] == "disabled", f"{name} starts enabled")
    expect(state_of(t, window, t.id("ButtonSelectFile"))[1] == "enabled", "the select button starts disabled")
    t.driver("close", window)
    finish_closed(run)


def test_tabs_take_a_quarter_of_the_width_each(t):
    t.clear_settings()
    run, window = start(t)
    lines = [line.split("\t") for line in t.driver("tabs", window).splitlines()]
    client = int(lines[0][1])
    tabs = [(int(width), caption) for _, width, caption in lines[1:]]
    expect([caption for _, caption in tabs] == t.layout()["pages"], f"tab captions {tabs}")
    expect(all(width == client // 4 for width, _ in tabs), f"client {client}, tabs {tabs}")
    t.driver("close", window)
    finish_closed(run)


def test_each_page_shows_its_controls(t):
    t.clear_settings()
    run, window = start(t)
    for index, name in enumerate(("file", "settings", "help")):
        t.driver("tab", window, str(index))
        time.sleep(0.5)
        t.env.screenshot(t.screens / f"page-{name}.png")
    t.driver("close", window)
    finish_closed(run)


def test_closing_with_the_options_off_writes_only_program(t):
    path = t.write_settings("[Mine]\nkey = value\n[POSITION]\nLeft=10\n[MODE]\nCloseQuery=0\nSaveStatus=0\n")
    run, window = start(t)
    t.driver("close", window)
    finish_closed(run)
    expect(sections(t, path) == ["Mine", "PROGRAM"], f"sections {sections(t, path)}")
    text = t.settings_text(path)
    expect("key=value\r\n" in text and "Name=Velmora.exe\r\n" in text and "Version=V2.1\r\n" in text,
           f"written {text!r}")


def test_both_options_keep_the_placement_for_the_next_start(t):
    path = t.write_settings("[POSITION]\nLeft=100\nTop=120\nRight=520\nBottom=540\nState=0\n"
                             "[MODE]\nCloseQuery=1\nSaveStatus=1\n")
    rect = placed(t.env, 100, 120, 520, 540)
    run, window = start(t)
    expect(t.driver("rect", window).split() == rect + ["normal"], "the placement was not restored")
    expect(state_of(t, window, t.id("CheckBoxCloseQuery"))[2] == "checked" and state_of(t, window, t.id("CheckBoxSaveStatus"))[2] == "checked",
           "the options were not restored")
    t.command(window, "Close1")
    box = t.wait_window("Velmora", "#32770")
    t.driver("click", box, str(ID_YES))
    finish_closed(run)
    expect(sections(t, path) == ["PROGRAM", "POSITION", "MODE"], f"sections {sections(t, path)}")
    text = t.settings_text(path)
    expect("Left={}\r\nTop={}\r\nRight={}\r\nBottom={}\r\nState=0\r\n".format(*rect) in text, f"written {text!r}")
    expect("CloseQuery=1\r\nSaveStatus=1\r\n" in text, f"written {text!r}")

    run, window = start(t)
    expect(t.driver("rect", window).split() == rect + ["normal"], "the second start moved")
    expect(state_of(t, window, t.id("CheckBoxCloseQuery"))[2] == "checked", "the question option was lost")
    t.command(window, "Close1")
    t.driver("click", t.wait_window("Velmora", "#32770"), str(ID_YES))
    finish_closed(run)


def test_a_maximized_state_written_by_hand_starts_maximized(t):
    t.write_settings("[POSITION]\nSTATE=2\n")
    run, window = start(t)
    rect = t.driver("rect", window).split()
    expect(rect[4] == "maximized" and int(rect[2]) - int(rect[0]) >= 1280, f"not maximized: {rect}")
    t.driver("close", window)
    finish_closed(run)


def test_esc_asks_and_no_keeps_the_window(t):
    path = t.write_settings("[MODE]\nCloseQuery=1\n")
    before = path.read_bytes()
    run, window = start(t)
    button = state_of(t, window, t.id("ButtonSelectFile"))[0]
    t.driver("key", button, str(VK_ESCAPE))
    box = t.wait_window("Velmora", "#32770")
    texts = statics(t, box)
    expect(CLOSE_QUESTION in texts, f"question texts {texts}")
    t.env.screenshot(t.screens / "close-question.png")
    t.driver("click", box, str(ID_NO))
    time.sleep(0.5)
    expect(t.wait_window("Velmora", "TForm1", 2000) == window, "the window went away after No")
    expect(path.read_bytes() == before, "No wrote the settings file")
    t.driver("key", button, str(VK_ESCAPE))
    t.driver("click", t.wait_window("Velmora", "#32770"), str(ID_YES))
    finish_closed(run)
    expect("PROGRAM" in sections(t, path), "Yes did not write the file")


def test_end_of_session_closes_without_asking(t):
    path = t.write_settings("[MODE]\nCloseQuery=1\n")
    run, window = start(t)
    answer = t.driver("send", window, str(WM_QUERYENDSESSION), "0", "0").strip()
    expect(answer == "1", f"answered {answer!r}")
    expect(sections(t, path) == ["PROGRAM"], f"sections {sections(t, path)}")
    code = t.driver("wait", "Velmora", "#32770", "1000", check=False).strip()
    expect(code == "", "a question was shown")
    # The session did not end after all: the next close asks again.
    t.driver("close", window)
    t.driver("click", t.wait_window("Velmora", "#32770"), str(ID_YES))
    finish_closed(run)


def test_the_file_beside_the_exe_is_read_until_a_per_user_file_exists(t):
    t.clear_settings()
    beside = t.env.drive_c("Velmora/Velmora.ini")
    beside.write_bytes(b"[POSITION]\r\nLeft=60\r\nTop=70\r\nRight=460\r\nBottom=480\r\n[MODE]\r\nSaveStatus=1\r\n")
    try:
        run, window = start(t)
        expect(t.driver("rect", window).split()[:4] == placed(t.env, 60, 70, 460, 480), "the file beside was not read")
        t.driver("close", window)
        finish_closed(run)
        path = t.user_settings_file()
        expect(path.exists(), "the per-user file was not written")
        expect("IniFile=C:\\users\\" in t.settings_text(path), "IniFile does not name the per-user file")
        expect(sections(t, path) == ["PROGRAM", "POSITION", "MODE"], f"sections {sections(t, path)}")
    finally:
        beside.unlink()
